#include "public.sdk/source/main/pluginfactory.h"

#include <cstring>

namespace Steinberg
{

CPluginFactory* gPluginFactory = nullptr;

namespace
{

constexpr char32_t kReplacement = 0xFFFD;

// The text fields may be filled to the last byte without a terminator, so
// every conversion is bounded by the source field's size as well.
void utf8ToUtf16(char16* dst, int32 dstSize, const char8* src, int32 srcSize)
{
    int32 out = 0;
    int32 in = 0;
    auto byte = [&](int32 i) { return static_cast<unsigned char>(src[i]); };
    while (in < srcSize && src[in] != 0)
    {
        char32_t cp = byte(in);
        int32 extra = -1; // a stray continuation byte or no lead byte at all
        if (cp < 0x80)
            extra = 0;
        else if (cp >= 0xC0 && cp < 0xE0)
            extra = 1;
        else if (cp >= 0xE0 && cp < 0xF0)
            extra = 2;
        else if (cp >= 0xF0 && cp < 0xF8)
            extra = 3;
        if (extra > 0)
            cp &= 0x3Fu >> extra;
        ++in;
        for (int32 k = 0; k < extra; ++k, ++in)
        {
            if (in >= srcSize || (byte(in) & 0xC0) != 0x80)
            {
                extra = -1;
                break;
            }
            cp = (cp << 6) | (byte(in) & 0x3F);
        }
        if (extra < 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            cp = kReplacement;

        const int32 units = cp > 0xFFFF ? 2 : 1;
        if (out + units >= dstSize)
            break;
        if (units == 2)
        {
            cp -= 0x10000;
            dst[out++] = static_cast<char16>(0xD800 + (cp >> 10));
            dst[out++] = static_cast<char16>(0xDC00 + (cp & 0x3FF));
        }
        else
            dst[out++] = static_cast<char16>(cp);
    }
    dst[out] = 0;
}

void utf16ToUtf8(char8* dst, int32 dstSize, const char16* src, int32 srcSize)
{
    int32 out = 0;
    int32 in = 0;
    while (in < srcSize && src[in] != 0)
    {
        char32_t cp = static_cast<char16_t>(src[in++]);
        if (cp >= 0xD800 && cp < 0xDC00 && in < srcSize && src[in] >= 0xDC00 && src[in] < 0xE000)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(src[in++]) - 0xDC00);
        else if (cp >= 0xD800 && cp < 0xE000)
            cp = kReplacement;

        char8 bytes[4];
        int32 n = 0;
        if (cp < 0x80)
            bytes[n++] = static_cast<char8>(cp);
        else if (cp < 0x800)
        {
            bytes[n++] = static_cast<char8>(0xC0 | (cp >> 6));
            bytes[n++] = static_cast<char8>(0x80 | (cp & 0x3F));
        }
        else if (cp < 0x10000)
        {
            bytes[n++] = static_cast<char8>(0xE0 | (cp >> 12));
            bytes[n++] = static_cast<char8>(0x80 | ((cp >> 6) & 0x3F));
            bytes[n++] = static_cast<char8>(0x80 | (cp & 0x3F));
        }
        else
        {
            bytes[n++] = static_cast<char8>(0xF0 | (cp >> 18));
            bytes[n++] = static_cast<char8>(0x80 | ((cp >> 12) & 0x3F));
            bytes[n++] = static_cast<char8>(0x80 | ((cp >> 6) & 0x3F));
            bytes[n++] = static_cast<char8>(0x80 | (cp & 0x3F));
        }
        // Never split a character: a truncated name stays valid UTF-8.
        if (out + n >= dstSize)
            break;
        std::memcpy(dst + out, bytes, static_cast<size_t>(n));
        out += n;
    }
    dst[out] = 0;
}

template <int32 N>
void toUtf16(char16 (&dst)[N], const char8* src, int32 srcSize)
{
    utf8ToUtf16(dst, N, src, srcSize);
}

template <int32 N>
void toUtf8(char8 (&dst)[N], const char16* src, int32 srcSize)
{
    utf16ToUtf8(dst, N, src, srcSize);
}

template <typename T, int32 N>
void copyField(T (&dst)[N], const T* src)
{
    std::memcpy(dst, src, sizeof(dst));
    dst[N - 1] = 0;
}

PClassInfoW unicodeForm(const PClassInfo2& a)
{
    PClassInfoW w;
    std::memcpy(w.cid, a.cid, sizeof(TUID));
    w.cardinality = a.cardinality;
    copyField(w.category, a.category);
    toUtf16(w.name, a.name, PClassInfo::kNameSize);
    w.classFlags = a.classFlags;
    copyField(w.subCategories, a.subCategories);
    toUtf16(w.vendor, a.vendor, PClassInfo2::kVendorSize);
    toUtf16(w.version, a.version, PClassInfo2::kVersionSize);
    toUtf16(w.sdkVersion, a.sdkVersion, PClassInfo2::kVersionSize);
    return w;
}

PClassInfo2 asciiForm(const PClassInfoW& w)
{
    PClassInfo2 a;
    std::memcpy(a.cid, w.cid, sizeof(TUID));
    a.cardinality = w.cardinality;
    copyField(a.category, w.category);
    toUtf8(a.name, w.name, PClassInfo::kNameSize);
    a.classFlags = w.classFlags;
    copyField(a.subCategories, w.subCategories);
    toUtf8(a.vendor, w.vendor, PClassInfoW::kVendorSize);
    toUtf8(a.version, w.version, PClassInfoW::kVersionSize);
    toUtf8(a.sdkVersion, w.sdkVersion, PClassInfoW::kVersionSize);
    return a;
}

} // namespace

CPluginFactory::CPluginFactory(const PFactoryInfo& info)
    : factoryInfo(info){FUNKNOWN_CTOR}

      CPluginFactory::~CPluginFactory()
{
    if (gPluginFactory == this)
        gPluginFactory = nullptr;
}

IMPLEMENT_REFCOUNT(CPluginFactory)

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, IPluginFactory::iid, IPluginFactory)
    QUERY_INTERFACE(_iid, obj, IPluginFactory2::iid, IPluginFactory2)
    QUERY_INTERFACE(_iid, obj, IPluginFactory3::iid, IPluginFactory3)
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, IPluginFactory)
    *obj = nullptr;
    return kNoInterface;
}

bool CPluginFactory::registerClass(const PClassInfo* info, CreateFunction createFunc, void* context)
{
    if (!info || !createFunc)
        return false;
    PClassInfo2 info2;
    std::memcpy(info2.cid, info->cid, sizeof(TUID));
    info2.cardinality = info->cardinality;
    copyField(info2.category, info->category);
    copyField(info2.name, info->name);
    return registerClass(&info2, createFunc, context);
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunction createFunc,
                                   void* context)
{
    if (!info || !createFunc)
        return false;
    PClassInfo2 copy = *info;
    // Close every field so a record filled to the brim cannot be read past.
    copy.category[PClassInfo::kCategorySize - 1] = 0;
    copy.name[PClassInfo::kNameSize - 1] = 0;
    copy.subCategories[PClassInfo2::kSubCategoriesSize - 1] = 0;
    copy.vendor[PClassInfo2::kVendorSize - 1] = 0;
    copy.version[PClassInfo2::kVersionSize - 1] = 0;
    copy.sdkVersion[PClassInfo2::kVersionSize - 1] = 0;
    classes.push_back({copy, unicodeForm(copy), createFunc, context, false});
    return true;
}

bool CPluginFactory::registerClass(const PClassInfoW* info, CreateFunction createFunc,
                                   void* context)
{
    if (!info || !createFunc)
        return false;
    PClassInfoW copy = *info;
    copy.category[PClassInfo::kCategorySize - 1] = 0;
    copy.name[PClassInfo::kNameSize - 1] = 0;
    copy.subCategories[PClassInfoW::kSubCategoriesSize - 1] = 0;
    copy.vendor[PClassInfoW::kVendorSize - 1] = 0;
    copy.version[PClassInfoW::kVersionSize - 1] = 0;
    copy.sdkVersion[PClassInfoW::kVersionSize - 1] = 0;
    classes.push_back({asciiForm(copy), copy, createFunc, context, true});
    return true;
}

bool CPluginFactory::isClassRegistered(const FUID& cid)
{
    for (const auto& entry : classes)
        if (FUnknownPrivate::iidEqual(cid, entry.info8.cid))
            return true;
    return false;
}

void CPluginFactory::removeAllClasses()
{
    classes.clear();
}

const CPluginFactory::PClassEntry* CPluginFactory::entryAt(int32 index) const
{
    if (index < 0 || index >= static_cast<int32>(classes.size()))
        return nullptr;
    return &classes[static_cast<size_t>(index)];
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info)
{
    if (!info)
        return kInvalidArgument;
    *info = factoryInfo;
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses()
{
    return static_cast<int32>(classes.size());
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
    const PClassEntry* entry = entryAt(index);
    if (!info || !entry)
        return kInvalidArgument;
    *info = PClassInfo();
    std::memcpy(info->cid, entry->info8.cid, sizeof(TUID));
    info->cardinality = entry->info8.cardinality;
    copyField(info->category, entry->info8.category);
    copyField(info->name, entry->info8.name);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
    const PClassEntry* entry = entryAt(index);
    if (!info || !entry)
        return kInvalidArgument;
    *info = entry->info8;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
    const PClassEntry* entry = entryAt(index);
    if (!info || !entry)
        return kInvalidArgument;
    *info = entry->info16;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString _iid, void** obj)
{
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !_iid)
        return kInvalidArgument;

    for (const auto& entry : classes)
    {
        if (std::memcmp(entry.info8.cid, cid, sizeof(TUID)) != 0)
            continue;
        FUnknown* instance = nullptr;
        // No exception may reach the host.
        try
        {
            instance = entry.createFunc(entry.context);
        }
        catch (...)
        {
            instance = nullptr;
        }
        if (!instance)
            return kOutOfMemory;
        const tresult result = instance->queryInterface(_iid, obj);
        instance->release();
        if (result != kResultOk)
        {
            *obj = nullptr;
            return kNoInterface;
        }
        return kResultOk;
    }
    return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* context)
{
    hostContext = context;
    return kResultOk;
}

} // namespace Steinberg
