# Runs the layer check over small planted trees: each case's files are written under WORK_DIR, and
# the check must pass, or fail with the expected text naming the file and line.
#
#   cmake -DCHECKER=<LayeredIncludes.cmake> -DWORK_DIR=<scratch folder> -P LayeredIncludesCheckerTest.cmake

if(NOT CHECKER OR NOT WORK_DIR)
    message(FATAL_ERROR "CHECKER and WORK_DIR are required")
endif()

set(failures "")

# check_case(<name> <expected text, or PASS> <path> <content> [BARE]): the content is one
# argument, so its semicolons and brackets reach the file as written.
function(check_case name expected path content)
    set(root "${WORK_DIR}/${name}")
    file(REMOVE_RECURSE "${root}")
    # Every tree holds one legal include, so a case never passes for having nothing to read;
    # a BARE tree holds only the case's file.
    if(NOT ARGV4 STREQUAL "BARE")
        file(WRITE "${root}/src/Support/Base.h" "#pragma once\n")
        file(WRITE "${root}/src/Support/Base.cpp" "#include \"Support/Base.h\"\n")
    endif()
    file(WRITE "${root}/${path}" "${content}")
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${root} -P ${CHECKER}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(expected STREQUAL "PASS")
        if(NOT status EQUAL 0)
            set(failures "${failures}${name}: expected to pass, failed with:\n${output}\n" PARENT_SCOPE)
        endif()
        return()
    endif()
    string(FIND "${output}" "${expected}" found)
    if(status EQUAL 0 OR found EQUAL -1)
        set(failures "${failures}${name}: expected a failure naming\n  ${expected}\ngot (status ${status}):\n${output}\n" PARENT_SCOPE)
    endif()
endfunction()

check_case(include_down PASS
    src/UI/OSD/View.cpp [=[#include "UI/OSD/View.h"
#include "Model/Settings/Size.h"
#include "Platform/Host.h"
]=])
check_case(include_across_sub_folders_of_one_folder PASS
    src/Core/AppDelegate/Delegate.cpp [=[#include "Core/Previews/Scan.h"
]=])
check_case(system_headers_are_not_layers PASS
    src/Model/Value.h [=[#pragma once
#include <QString>
#include <vector>
]=])
check_case(include_up_from_a_header
    [=[src/Model/Settings/Size.h:3: includes "UI/OSD/Grid.h"]=]
    src/Model/Settings/Size.h [=[#pragma once

#include "UI/OSD/Grid.h"
]=])
check_case(include_up_from_a_deep_source
    [=[src/Hotkeys/Trackpad/Input.cpp:2: includes "Core/Seams/Control.h"]=]
    src/Hotkeys/Trackpad/Input.cpp [=[#include "Hotkeys/Trackpad/Input.h"
#include "Core/Seams/Control.h"
]=])
check_case(include_up_into_the_bridge
    [=[src/TessarinCore/Bridge.cpp:1: includes "Model/Spaces/Slot.h"]=]
    src/TessarinCore/Bridge.cpp [=[#include "Model/Spaces/Slot.h"
]=])
check_case(lines_are_counted_past_code_and_blank_lines
    [=[src/Model/Store.cpp:6: includes "UI/View.h"]=]
    src/Model/Store.cpp [=[#include "Model/Store.h"
int values[2] = {1, 2}; int other;

const char* text = "a\\;b]";

#include "UI/View.h"
]=])
check_case(indented_and_spaced_include
    [=[src/Core/Launch.cpp:2: includes "App/Options.h"]=]
    src/Core/Launch.cpp [=[// the launch
  #  include "App/Options.h"
]=])
check_case(every_upward_include_is_named
    [=[src/UI/Menu.cpp:2: includes "Core/Two.h"]=]
    src/UI/Menu.cpp [=[#include "Core/One.h"
#include "Core/Two.h"
]=])
check_case(include_of_an_unknown_folder
    [=[src/UI/Menu.cpp:1: includes "Gadgets/Knob.h", which is under no folder of the layer order]=]
    src/UI/Menu.cpp [=[#include "Gadgets/Knob.h"
]=])
check_case(include_without_a_folder
    [=[src/UI/Menu.cpp:1: includes "Knob.h", which is under no folder of the layer order]=]
    src/UI/Menu.cpp [=[#include "Knob.h"
]=])
check_case(source_in_an_unknown_folder
    [=[src/Gadgets/Knob.h: its top folder 'Gadgets' is not in the layer order]=]
    src/Gadgets/Knob.h [=[#pragma once
]=])
# A check that read nothing has checked nothing: a tree without any include fails.
check_case(tree_without_any_include
    [=[no #include "..." line found]=]
    src/Support/Base.h [=[#pragma once
#include <vector>
]=] BARE)

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
message(STATUS "every planted tree was judged as expected")
