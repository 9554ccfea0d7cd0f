# `cmake --build <dir> --target package`: ZARG-<version>-linux-<arch>.tar.gz holding only
# ZARG.vst3 at its top, so unpacking it into ~/.vst3 installs the plug-in.
string(TOLOWER "${CMAKE_SYSTEM_NAME}" zarg_package_system)
set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME "${PROJECT_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME
    "${PROJECT_NAME}-${PROJECT_VERSION}-${zarg_package_system}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Only the bundle's install rules, whatever else the tree may install.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};bundle;/")
include(CPack)
