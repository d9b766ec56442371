# The VST 3 SDK sources (interfaces and helper classes); Debian's juce-modules-source-data ships them.
set(SPW_VST3_SDK "/usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK"
    CACHE PATH "Root of the VST 3 SDK (folders pluginterfaces, base, public.sdk)")
if(NOT EXISTS "${SPW_VST3_SDK}/pluginterfaces/base/funknown.h")
  message(FATAL_ERROR "VST 3 SDK not found at ${SPW_VST3_SDK}; run scripts/setup.sh or set SPW_VST3_SDK")
endif()

# The SDK sources a single-component plug-in and a small host need, built once as a
# static library. Its headers are a SYSTEM include so their warnings stay out of ours.
set(SPW_VST3_SDK_SOURCES
  pluginterfaces/base/coreiids.cpp
  pluginterfaces/base/funknown.cpp
  pluginterfaces/base/ustring.cpp
  base/source/baseiids.cpp
  base/source/fbuffer.cpp
  base/source/fobject.cpp
  base/source/fstreamer.cpp
  base/source/fstring.cpp
  base/source/updatehandler.cpp
  base/thread/source/flock.cpp
  public.sdk/source/vst/vstinitiids.cpp
  public.sdk/source/vst/vstbus.cpp
  public.sdk/source/vst/vstcomponentbase.cpp
  public.sdk/source/vst/vstcomponent.cpp
  public.sdk/source/vst/vsteditcontroller.cpp
  public.sdk/source/vst/vstparameters.cpp
  public.sdk/source/common/pluginview.cpp
  public.sdk/source/common/memorystream.cpp
)
list(TRANSFORM SPW_VST3_SDK_SOURCES PREPEND "${SPW_VST3_SDK}/")
add_library(spw_vst3_sdk STATIC ${SPW_VST3_SDK_SOURCES})
target_include_directories(spw_vst3_sdk SYSTEM PUBLIC "${SPW_VST3_SDK}")
target_compile_definitions(spw_vst3_sdk PUBLIC RELEASE=1)
target_compile_options(spw_vst3_sdk PRIVATE -w)
target_link_libraries(spw_vst3_sdk PUBLIC Threads::Threads)
if(WIN32)
  target_link_libraries(spw_vst3_sdk PUBLIC ole32)
endif()
