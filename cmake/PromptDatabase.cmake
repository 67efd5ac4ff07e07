# zn_add_prompt_database(<target> PROJECT <name> RES <file.res> OUTPUT <file>
#                        [TRANSLATION <langid> <file>]... [DEPENDS <target-or-file>...])
#
# Adds the target <target>, built by default, that generates the prompt database <file> of the
# prompt project <name> with mkprompts: the string tables and dialog templates of the compiled
# resource file <file.res> (in the languages its resources declare), plus one translation file
# per TRANSLATION (language id, decimal or 0x hexadecimal). DEPENDS names what produces the .res
# file when it is generated (for instance the target that compiles it), so that the database is
# rebuilt after it. Relative paths are taken from the current source folder, OUTPUT from the
# current binary folder.
function(zn_add_prompt_database target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PROJECT;RES;OUTPUT" "TRANSLATION;DEPENDS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zn_add_prompt_database: unexpected arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  foreach(required PROJECT RES OUTPUT)
    if(NOT arg_${required})
      message(FATAL_ERROR "zn_add_prompt_database: ${required} is required")
    endif()
  endforeach()
  list(LENGTH arg_TRANSLATION count)
  math(EXPR odd "${count} % 2")
  if(odd)
    message(FATAL_ERROR "zn_add_prompt_database: each TRANSLATION takes a language id and a file")
  endif()

  get_filename_component(res "${arg_RES}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(output "${arg_OUTPUT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  set(command $<TARGET_FILE:mkprompts> --project "${arg_PROJECT}" --res "${res}")
  set(inputs "${res}")
  while(arg_TRANSLATION)
    list(POP_FRONT arg_TRANSLATION language file)
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND command --translation "${language}" "${file}")
    list(APPEND inputs "${file}")
  endwhile()
  list(APPEND command --output "${output}")

  # Targets among DEPENDS order the build; files among them are plain inputs.
  set(dependency_targets "")
  foreach(dependency IN LISTS arg_DEPENDS)
    if(TARGET ${dependency})
      list(APPEND dependency_targets ${dependency})
    else()
      list(APPEND inputs "${dependency}")
    endif()
  endforeach()

  get_filename_component(output_dir "${output}" DIRECTORY)
  add_custom_command(OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${output_dir}"
    COMMAND ${command}
    DEPENDS mkprompts ${inputs} ${dependency_targets}
    COMMENT "Generating prompt database ${arg_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS "${output}")
  if(dependency_targets)
    add_dependencies(${target} ${dependency_targets})
  endif()
endfunction()
