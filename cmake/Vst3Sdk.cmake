# The VST3 SDK core, built as one static library from a source tree.
# Debian's juce-modules-source-data ships a copy; any other SDK root with the
# same layout works through VST3_SDK_ROOT.
set(VST3_SDK_ROOT "/usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK"
    CACHE PATH "Root of the VST3 SDK sources (pluginterfaces, base, public.sdk)")

if(NOT EXISTS "${VST3_SDK_ROOT}/pluginterfaces/base/funknown.h")
  message(FATAL_ERROR "No VST3 SDK at VST3_SDK_ROOT='${VST3_SDK_ROOT}'. "
                      "Install juce-modules-source-data or point VST3_SDK_ROOT at an SDK.")
endif()

file(GLOB VST3_SDK_SOURCES CONFIGURE_DEPENDS
  "${VST3_SDK_ROOT}/base/source/*.cpp"
  "${VST3_SDK_ROOT}/base/thread/source/*.cpp"
  "${VST3_SDK_ROOT}/pluginterfaces/base/*.cpp"
  "${VST3_SDK_ROOT}/public.sdk/source/common/*.cpp"
  "${VST3_SDK_ROOT}/public.sdk/source/vst/*.cpp")

add_library(vst3sdk STATIC ${VST3_SDK_SOURCES})
target_include_directories(vst3sdk SYSTEM PUBLIC "${VST3_SDK_ROOT}")
# Without NDEBUG a few Linux string helpers of the SDK assert.
target_compile_definitions(vst3sdk PUBLIC RELEASE=1 NDEBUG)
target_compile_options(vst3sdk PRIVATE -w)
find_package(Threads REQUIRED)
target_link_libraries(vst3sdk PUBLIC Threads::Threads ${CMAKE_DL_LIBS})

# The SDK's host-side helpers (HostApplication, HostMessage, ...) for test hosts.
file(GLOB VST3_SDK_HOSTING_SOURCES CONFIGURE_DEPENDS
  "${VST3_SDK_ROOT}/public.sdk/source/vst/hosting/*.cpp")
add_library(vst3sdk_hosting STATIC ${VST3_SDK_HOSTING_SOURCES})
target_link_libraries(vst3sdk_hosting PUBLIC vst3sdk)
target_compile_options(vst3sdk_hosting PRIVATE -w)
