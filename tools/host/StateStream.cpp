#include "host/StateStream.h"

using namespace Steinberg;

namespace ZargHost
{

IPtr<MemoryStream> stateStream(const std::vector<char>& bytes)
{
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    int32 written = 0;
    if (!bytes.empty())
        stream->write(const_cast<char*>(bytes.data()), static_cast<int32>(bytes.size()), &written);
    stream->seek(0, IBStream::kIBSeekSet, nullptr);
    return stream;
}

} // namespace ZargHost
