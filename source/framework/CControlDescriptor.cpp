#include "framework/CControlDescriptor.h"

void CControlDescriptor::copyText(Text& destination, const char* source)
{
    size_t length = 0;
    if (source != nullptr)
    {
        while (length < kMaxTextLength && source[length] != '\0')
        {
            destination[length] = source[length];
            ++length;
        }
    }
    destination[length] = '\0';
}
