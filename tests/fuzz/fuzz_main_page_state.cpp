// The button page's per-key state files in the MainPage folder: the first
// line names a menu item and the scroll positions of the menu lists.
#include "fuzz_support.h"

#include "button_page_services.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const MainPageState state = ReadMainPageState(fuzz::AsFile(data, size));
    // A list is scrolled only together with the top menu, and only one of
    // the page's lists is ever named.
    if (!state.listName.isEmpty() && !state.scrollsTopMenu)
        std::abort();
    if (!state.listName.isEmpty() && state.listName != QLatin1String("scrollArea_3")
        && state.listName != QLatin1String("scrollArea_10"))
        std::abort();
    return 0;
}
