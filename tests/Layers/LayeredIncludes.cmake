# Fails, naming the file and line, when a source under SOURCE_DIR/src includes a header of a
# folder above its own in the order below (DESIGN.md, "Layers"), or of a folder the order does
# not name. A file may include its own top folder and any folder below it.
#
#   cmake -DSOURCE_DIR=<repository root> -P LayeredIncludes.cmake

# Lowest first.
set(layer_order
    Support
    Platform
    TessarinCore
    OpenMultitouchSupport
    Model
    Hotkeys
    Workspaces
    UI
    Core
    App)

if(NOT SOURCE_DIR OR NOT IS_DIRECTORY "${SOURCE_DIR}/src")
    message(FATAL_ERROR "SOURCE_DIR must name a folder holding src/ (got '${SOURCE_DIR}')")
endif()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}/src"
    "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.hpp" "${SOURCE_DIR}/src/*.cpp")
list(SORT sources)

set(violations "")
set(checked 0)
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" source_folder "${source}")
    list(FIND layer_order "${source_folder}" source_rank)
    if(source_rank EQUAL -1 OR NOT source MATCHES "/")
        string(APPEND violations
            "src/${source}: its top folder '${source_folder}' is not in the layer order\n")
        continue()
    endif()
    # One list element per line: the characters a CMake list treats specially are set aside
    # first, so code such as `a[i] = b;` never splits or merges lines.
    file(READ "${SOURCE_DIR}/src/${source}" text)
    string(REPLACE ";" "<semicolon>" text "${text}")
    string(REPLACE "[" "<open>" text "${text}")
    string(REPLACE "]" "<close>" text "${text}")
    string(REPLACE "\\" "<backslash>" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(line_number 0)
    foreach(line IN LISTS lines)
        math(EXPR line_number "${line_number} + 1")
        if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
            continue()
        endif()
        set(included "${CMAKE_MATCH_1}")
        math(EXPR checked "${checked} + 1")
        string(REGEX MATCH "^[^/]+" included_folder "${included}")
        list(FIND layer_order "${included_folder}" included_rank)
        if(included_rank EQUAL -1 OR NOT included MATCHES "/")
            string(APPEND violations
                "src/${source}:${line_number}: includes \"${included}\", which is under no folder of the layer order\n")
        elseif(included_rank GREATER source_rank)
            string(APPEND violations
                "src/${source}:${line_number}: includes \"${included}\": ${source_folder} may not include ${included_folder}, which lies above it\n")
        endif()
    endforeach()
endforeach()

if(checked EQUAL 0)
    message(FATAL_ERROR "no #include \"...\" line found under ${SOURCE_DIR}/src")
endif()
if(violations)
    string(REGEX MATCHALL "\n" count "${violations}")
    list(LENGTH count count)
    list(JOIN layer_order " < " order_text)
    message(NOTICE "${violations}")
    message(FATAL_ERROR "${count} include(s) break the layer order ${order_text}")
endif()
message(STATUS "${checked} includes follow the layer order")
