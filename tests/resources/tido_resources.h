#pragma once
#include "platform/unique_handle.h"
#include "support/paths.h"

#include <windows.h>

namespace test {

// tido.exe mapped as a data file: its resources, none of its code.
inline UniqueLibrary LoadTidoResources()
{
    return UniqueLibrary(LoadLibraryExW(BuildPath(L"tido.exe").c_str(), nullptr,
        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

}  // namespace test
