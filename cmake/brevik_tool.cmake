# A tool of the toolbox: its window-free core and its window, and its command line where it has
# one, as the libraries brevik_<tool>_core, brevik_<tool>_form and brevik_<tool>_cli. The core
# links Qt Core and what CORE_LINKS adds, nothing that draws; the window stands on the core and
# the widget kit, the command line on the core and the command kit, each with what FORM_LINKS and
# CLI_LINKS add.
#
#   brevik_tool(<tool> CORE <units> [CORE_LINKS <libraries>]
#               FORM <units> [FORM_LINKS <libraries>]
#               [CLI <units>] [CLI_LINKS <libraries>])
#
# The units are named as brevik_library takes them, without their folder: a CORE unit lives in
# core/, a FORM unit in form/, a CLI unit in cli/.
function(brevik_tool tool)
    cmake_parse_arguments(PARSE_ARGV 1 TOOL "" ""
                          "CORE;CORE_LINKS;FORM;FORM_LINKS;CLI;CLI_LINKS")
    if(TOOL_UNPARSED_ARGUMENTS OR NOT TOOL_CORE OR NOT TOOL_FORM)
        message(FATAL_ERROR "brevik_tool(${tool}): needs CORE and FORM sources, "
                            "and takes only CORE, FORM, CLI and their _LINKS")
    endif()
    list(TRANSFORM TOOL_CORE PREPEND core/)
    list(TRANSFORM TOOL_FORM PREPEND form/)
    list(TRANSFORM TOOL_CLI PREPEND cli/)
    brevik_library(brevik_${tool}_core ${TOOL_CORE})
    target_link_libraries(brevik_${tool}_core PUBLIC ${TOOL_CORE_LINKS} Qt6::Core)

    brevik_library(brevik_${tool}_form ${TOOL_FORM})
    target_link_libraries(brevik_${tool}_form PUBLIC brevik_${tool}_core ${TOOL_FORM_LINKS}
                                                     brevik_widgets)
    if(TOOL_CLI)
        brevik_library(brevik_${tool}_cli ${TOOL_CLI})
        target_link_libraries(brevik_${tool}_cli PUBLIC brevik_${tool}_core ${TOOL_CLI_LINKS}
                                                        brevik_command_kit)
    endif()
endfunction()
