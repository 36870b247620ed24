#include "foundation/DCharsetConverter.h"

#include <cerrno>
#include <iconv.h>

namespace DCharsetConverter {

long convert(const char* toName, const char* fromName, const void* source, std::size_t sourceBytes,
             void* target, std::size_t targetBytes, std::size_t* written)
{
    if (written)
        *written = 0;
    if (!toName || !fromName || !*toName || !*fromName)
        return -1;
    iconv_t converter = iconv_open(toName, fromName);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return -1;
    char* in = const_cast<char*>(static_cast<const char*>(source));
    std::size_t inLeft = source ? sourceBytes : 0;
    char* out = static_cast<char*>(target);
    std::size_t outLeft = targetBytes;
    std::size_t result = source ? iconv(converter, &in, &inLeft, &out, &outLeft)
                                : iconv(converter, nullptr, nullptr, &out, &outLeft);
    iconv_close(converter);
    if (written)
        *written = targetBytes - outLeft;
    return result == static_cast<std::size_t>(-1) ? -1L : static_cast<long>(result);
}

} // namespace DCharsetConverter
