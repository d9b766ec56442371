# The VST 3 SDK sources (interfaces and helper classes); Debian's juce-modules-source-data ships them.
set(SPW_VST3_SDK "/usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK"
    CACHE PATH "Root of the VST 3 SDK (folders pluginterfaces, base, public.sdk)")
if(NOT EXISTS "${SPW_VST3_SDK}/pluginterfaces/base/funknown.h")
  message(FATAL_ERROR "VST 3 SDK not found at ${SPW_VST3_SDK}; run scripts/setup.sh or set SPW_VST3_SDK")
endif()
