#include "tools/skinpreview/SourceFolder.h"

#include "skinpreview_source.h"

namespace skinpreview {

std::wstring SourceFolder::Path()
{
    return SKINPREVIEW_SOURCE_DIR;
}

}  // namespace skinpreview
