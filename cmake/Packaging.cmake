# `cmake --build <dir> --target package`: ZARG-<version>-linux-<arch>.tar.gz holding only
# .vst3/ZARG.vst3 and the VST2 link .vst/ZARG.so, so unpacking it into the home folder
# installs the plug-in for both kinds of host.
string(TOLOWER "${CMAKE_SYSTEM_NAME}" zarg_package_system)
set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME
    "${PROJECT_NAME}-${PROJECT_VERSION}-${zarg_package_system}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Only the bundle's install rules, whatever else the tree may install.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};bundle;/.vst3")
include(CPack)
