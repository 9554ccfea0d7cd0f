# Run by `cmake --install` once the bundle is in place: the link through which VST2
# hosts load the bundle's library. It goes into ZARG_VST2_DIR (relative to the install
# prefix unless absolute) or, when that is empty, into the folder beside the prefix
# that is named like it without the 3 (~/.vst3 -> ~/.vst, /usr/lib/vst3 -> /usr/lib/vst).
# The link is relative, so that the two folders can move together.
set(vst3_dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
cmake_path(NORMAL_PATH vst3_dir)
string(REGEX REPLACE "(.)/+$" "\\1" vst3_dir "${vst3_dir}")
cmake_path(GET vst3_dir FILENAME vst3_name)
cmake_path(GET vst3_dir PARENT_PATH vst3_parent)

if(IS_ABSOLUTE "${ZARG_VST2_DIR}")
  set(vst2_dir "$ENV{DESTDIR}${ZARG_VST2_DIR}")
elseif(ZARG_VST2_DIR)
  set(vst2_dir "${vst3_dir}/${ZARG_VST2_DIR}")
elseif(vst3_name MATCHES "^(.*[vV][sS][tT])3$")
  set(vst2_dir "${vst3_parent}/${CMAKE_MATCH_1}")
else()
  message(STATUS "No VST2 link: ${vst3_dir} is no VST3 folder and ZARG_VST2_DIR is empty")
  return()
endif()
cmake_path(NORMAL_PATH vst2_dir)

set(library "${vst3_dir}/ZARG.vst3/Contents/x86_64-linux/ZARG.so")
set(link "${vst2_dir}/ZARG.so")
file(MAKE_DIRECTORY "${vst2_dir}")
cmake_path(RELATIVE_PATH library BASE_DIRECTORY "${vst2_dir}" OUTPUT_VARIABLE target)
message(STATUS "Installing: ${link} -> ${target}")
file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")
