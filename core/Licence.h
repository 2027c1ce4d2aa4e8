#pragma once
// The licence line every program's --version prints under its version. VORNIX_LICENSE is
// given by the build (dist/CMakeLists.txt), which names it in the AppStream data too.
#define VORNIX_LICENCE_LINE                                                                                  \
    "Licence " VORNIX_LICENSE ": the GNU General Public License, version 3 or later.\n"                      \
    "This is free software; there is NO WARRANTY, to the extent permitted by law.\n"
