# win32_add_resources(<target> <file.rc> [INCLUDE_DIRS dir...] [DEPENDS file...])
#
# Compiles a resource script into a real Windows .res file with the MinGW resource compiler and
# embeds its bytes in <target>, where the start-up object win32_dllstart hands them to the loader
# (FindResourceW, LoadStringW, ... then find them under the module's HINSTANCE). The script is
# UTF-8 (#pragma code_page(65001)); winres.h and the script's own folder are on the include path.
# DEPENDS names files the script pulls in (bitmaps, icons) so that changing them rebuilds it.
#
# The .res file stays in the build folder for tools that read it: its path is the target's
# WIN32_RES_FILE property and the variable <target>_RES_FILE in the caller's scope.
# <target> gets win32_dllstart linked in unless it already links it.

find_program(WIN32_WINDRES NAMES x86_64-w64-mingw32-windres windres REQUIRED)

function(win32_add_resources target rc_file)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "INCLUDE_DIRS;DEPENDS")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "win32_add_resources: unexpected arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  get_filename_component(rc_path ${rc_file} ABSOLUTE)
  get_filename_component(rc_dir ${rc_path} DIRECTORY)
  get_filename_component(rc_name ${rc_path} NAME_WE)
  set(res_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}.res)
  set(dep_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}.res.d)
  set(asm_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}_res.S)

  set(include_flags -I${rc_dir} -I${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../platform/win32/include)
  foreach(dir IN LISTS ARG_INCLUDE_DIRS)
    get_filename_component(dir_path ${dir} ABSOLUTE)
    list(APPEND include_flags -I${dir_path})
  endforeach()
  set(depends ${rc_path})
  foreach(file IN LISTS ARG_DEPENDS)
    get_filename_component(file_path ${file} ABSOLUTE)
    list(APPEND depends ${file_path})
  endforeach()

  # The preprocessor writes the headers it read into a depfile, so editing resource.h rebuilds.
  add_custom_command(
    OUTPUT ${res_file}
    COMMAND ${WIN32_WINDRES} --preprocessor=cpp --preprocessor-arg=-E
            --preprocessor-arg=-xc-header --preprocessor-arg=-DRC_INVOKED
            --preprocessor-arg=-MD --preprocessor-arg=-MF${dep_file}
            --preprocessor-arg=-MT${res_file} -c 65001 ${include_flags}
            -i ${rc_path} -O res -o ${res_file}
    DEPENDS ${depends}
    DEPFILE ${dep_file}
    WORKING_DIRECTORY ${rc_dir}
    COMMENT "Compiling resources ${rc_name}.rc"
    VERBATIM)

  # Hidden symbols: each module sees only its own resources.
  file(CONFIGURE OUTPUT ${asm_file} CONTENT [=[
    .section .rodata.zwin32_resources,"a"
    .balign 16
    .globl zwin32_resources_begin
    .hidden zwin32_resources_begin
zwin32_resources_begin:
    .incbin "@res_file@"
    .globl zwin32_resources_end
    .hidden zwin32_resources_end
zwin32_resources_end:
    .section .note.GNU-stack,"",@progbits
]=] @ONLY)
  set_source_files_properties(${asm_file} PROPERTIES OBJECT_DEPENDS ${res_file})
  target_sources(${target} PRIVATE ${asm_file})

  get_target_property(linked ${target} LINK_LIBRARIES)
  if(NOT "win32_dllstart" IN_LIST linked)
    target_link_libraries(${target} PRIVATE win32_dllstart)
  endif()
  set_target_properties(${target} PROPERTIES WIN32_RES_FILE ${res_file})
  set(${target}_RES_FILE ${res_file} PARENT_SCOPE)
endfunction()
