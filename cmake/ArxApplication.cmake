# arx_add_application(<target> OUTPUT_NAME <name.arx> SOURCES src... [RC <file.rc>]
#                     [EXPORTS symbol...] [LIBRARIES lib...])
#
# Builds an ObjectARX application as the host loads it: a module named exactly OUTPUT_NAME
# (no "lib" prefix), compiled with hidden visibility, whose dynamic symbol table holds only the
# EXPORTS names plus acrxEntryPoint and acrxGetApiVersion (what a .def file's EXPORTS does on
# Windows). An exported function must still be declared __declspec(dllexport) in its source, as
# hidden symbols cannot be exported; the build fails, naming it, when one is missing.
# The module links rxapi (acrxGetApiVersion), the start-up object win32_dllstart (DllMain runs
# at load and unload), the platform libraries (win32, mfc80u, acdb17, acad) and LIBRARIES. RC is
# compiled and embedded with win32_add_resources. Every symbol must resolve at link time, so a
# platform call that is not exported fails the build rather than the load.

# Script mode, run after each link: checks that every name the module must export is exported.
if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${ARX_NM} -D --defined-only ${ARX_MODULE}
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "Cannot read the symbols of ${ARX_MODULE}")
  endif()
  set(missing)
  foreach(name IN LISTS ARX_EXPORTS)
    if(NOT symbols MATCHES " ${name}\n")
      list(APPEND missing ${name})
    endif()
  endforeach()
  if(missing)
    file(REMOVE ${ARX_MODULE})
    message(FATAL_ERROR "${ARX_MODULE} does not export: ${missing}. Declare them "
                        "extern \"C\" __declspec(dllexport) in the application's sources.")
  endif()
  return()
endif()

include(Win32Resources)

set(ARX_APPLICATION_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(arx_add_application target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "OUTPUT_NAME;RC" "SOURCES;EXPORTS;LIBRARIES")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "arx_add_application: unexpected arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_OUTPUT_NAME OR NOT ARG_SOURCES)
    message(FATAL_ERROR "arx_add_application(${target}): OUTPUT_NAME and SOURCES are required")
  endif()

  add_library(${target} MODULE ${ARG_SOURCES})
  get_filename_component(base_name ${ARG_OUTPUT_NAME} NAME_WLE)
  get_filename_component(extension ${ARG_OUTPUT_NAME} LAST_EXT)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${base_name}
    SUFFIX "${extension}"
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)

  # The version script is the .def file of this platform: only the listed names leave the module.
  set(exports acrxEntryPoint acrxGetApiVersion ${ARG_EXPORTS})
  list(REMOVE_DUPLICATES exports)
  list(JOIN exports ";\n    " export_lines)
  set(version_script ${CMAKE_CURRENT_BINARY_DIR}/${target}.exports.map)
  file(CONFIGURE OUTPUT ${version_script}
       CONTENT "{\n  global:\n    ${export_lines};\n  local:\n    *;\n};\n")
  target_link_options(${target} PRIVATE -Wl,--version-script=${version_script} -Wl,-z,defs
                      -Wl,--undefined=acrxGetApiVersion)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${version_script})

  target_link_libraries(${target} PRIVATE
    win32_dllstart rxapi win32 $<TARGET_NAME_IF_EXISTS:mfc80u> acdb17
    $<TARGET_NAME_IF_EXISTS:acad> ${ARG_LIBRARIES})

  if(ARG_RC)
    win32_add_resources(${target} ${ARG_RC})
  endif()

  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DARX_NM=${CMAKE_NM} -DARX_MODULE=$<TARGET_FILE:${target}>
            "-DARX_EXPORTS=${exports}" -P ${ARX_APPLICATION_SCRIPT}
    VERBATIM)
endfunction()
