# The VST3 SDK core, built as one static library from a source tree.
# Debian's juce-modules-source-data ships a copy; any other SDK root with the
# same layout works through VST3_SDK_ROOT.
set(VST3_SDK_ROOT "/usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK"
    CACHE PATH "Root of the VST3 SDK sources (pluginterfaces, base, public.sdk)")

if(NOT EXISTS "${VST3_SDK_ROOT}/pluginterfaces/base/funknown.h")
  message(FATAL_ERROR "No VST3 SDK at VST3_SDK_ROOT='${VST3_SDK_ROOT}'. "
                      "Install juce-modules-source-data or point VST3_SDK_ROOT at an SDK.")
endif()

# Named, not globbed: these files are built whatever else an SDK tree holds in
# the same folders.
set(VST3_SDK_SOURCES
  base/source/baseiids.cpp
  base/source/fbuffer.cpp
  base/source/fdebug.cpp
  base/source/fobject.cpp
  base/source/fstreamer.cpp
  base/source/fstring.cpp
  base/source/updatehandler.cpp
  base/thread/source/flock.cpp
  pluginterfaces/base/conststringtable.cpp
  pluginterfaces/base/coreiids.cpp
  pluginterfaces/base/funknown.cpp
  pluginterfaces/base/ustring.cpp
  public.sdk/source/common/memorystream.cpp
  public.sdk/source/common/pluginview.cpp
  public.sdk/source/vst/vstbus.cpp
  public.sdk/source/vst/vstcomponent.cpp
  public.sdk/source/vst/vstcomponentbase.cpp
  public.sdk/source/vst/vsteditcontroller.cpp
  public.sdk/source/vst/vstinitiids.cpp
  public.sdk/source/vst/vstparameters.cpp
  public.sdk/source/vst/vstpresetfile.cpp)
list(TRANSFORM VST3_SDK_SOURCES PREPEND "${VST3_SDK_ROOT}/")

add_library(vst3sdk STATIC ${VST3_SDK_SOURCES})
target_include_directories(vst3sdk SYSTEM PUBLIC "${VST3_SDK_ROOT}")
# Without NDEBUG a few Linux string helpers of the SDK assert.
target_compile_definitions(vst3sdk PUBLIC RELEASE=1 NDEBUG)
target_compile_options(vst3sdk PRIVATE -w)
find_package(Threads REQUIRED)
target_link_libraries(vst3sdk PUBLIC Threads::Threads ${CMAKE_DL_LIBS})

# The SDK's host-side helpers (HostApplication, HostMessage, ...) for tools/host.
add_library(vst3sdk_hosting STATIC
  "${VST3_SDK_ROOT}/public.sdk/source/vst/hosting/hostclasses.cpp"
  "${VST3_SDK_ROOT}/public.sdk/source/vst/hosting/pluginterfacesupport.cpp")
target_link_libraries(vst3sdk_hosting PUBLIC vst3sdk)
target_compile_options(vst3sdk_hosting PRIVATE -w)
