// libFuzzer target: the icon reader on arbitrary bytes must neither crash nor read out of
// bounds nor take long.
#include "uPeIcon.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TPeBytes source({data, size});
    ExtractPeIcon(source, 32);
    return 0;
}
