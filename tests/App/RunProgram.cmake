# Runs the program without a display and checks its status, what it printed and, when a
# snapshot is asked for, that the PNG exists.
#   -DPROGRAM=<path> -DWORK_DIR=<folder> -DEXPECTED_STATUS=<n> -DEXPECTED_OUTPUT=<text>
#   [-DSNAPSHOT=<path>]   (then the launch picker is shown and written with no delays)
#   [-DARGUMENTS=<list>]  (more arguments, separated by semicolons)
#   [-DFIFO=<name>]       (a FIFO made at that path inside the folder before the run)
#   [-DEXPECTED_ERROR=<text>]  (then the error output must be that one line)
#   [-DDISPLAY_VALUE=<name>]   (DISPLAY is set to it, X11 asked for, instead of no display)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/config")
if(FIFO)
    get_filename_component(fifo_folder "${WORK_DIR}/${FIFO}" DIRECTORY)
    file(MAKE_DIRECTORY "${fifo_folder}")
    execute_process(COMMAND mkfifo "${WORK_DIR}/${FIFO}" RESULT_VARIABLE made)
    if(NOT made EQUAL 0)
        message(FATAL_ERROR "no FIFO could be made at ${WORK_DIR}/${FIFO}")
    endif()
endif()
set(arguments ${ARGUMENTS})
if(SNAPSHOT)
    list(APPEND arguments --osd-snapshot-path "${SNAPSHOT}" --show-osd-on-launch-delay 0
         --osd-snapshot-delay 0)
endif()
set(display --unset=DISPLAY --unset=QT_QPA_PLATFORM)
if(DEFINED DISPLAY_VALUE)
    set(display "DISPLAY=${DISPLAY_VALUE}" QT_QPA_PLATFORM=xcb)
endif()
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env --unset=WAYLAND_DISPLAY ${display}
            "XDG_CONFIG_HOME=${WORK_DIR}/config" "${PROGRAM}" ${arguments}
    WORKING_DIRECTORY "${WORK_DIR}"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status
    TIMEOUT 60)
string(FIND "${output}" "${EXPECTED_OUTPUT}" found)
if(NOT status STREQUAL EXPECTED_STATUS OR found EQUAL -1 OR (SNAPSHOT AND NOT EXISTS "${SNAPSHOT}"))
    message(FATAL_ERROR "status ${status} (expected ${EXPECTED_STATUS}), no \"${EXPECTED_OUTPUT}\" "
                        "or no snapshot file:\n${output}\n${errors}")
endif()
if(DEFINED EXPECTED_ERROR AND NOT errors STREQUAL "${EXPECTED_ERROR}\n")
    message(FATAL_ERROR "the error output is not the line \"${EXPECTED_ERROR}\":\n${errors}")
endif()
