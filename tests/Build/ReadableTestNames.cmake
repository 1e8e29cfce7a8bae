# Fails the build of a test binary whose list of tests names a row by its bytes ("# GetParam() =
# 40-byte object <D0-B6 ...>"): a row type without a printer, whose failures nobody can read.
#   cmake -DBINARY=<test binary> -P ReadableTestNames.cmake
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            "${BINARY}" --gtest_list_tests
    OUTPUT_VARIABLE listed
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${BINARY} --gtest_list_tests ended with ${status}:\n${errors}")
endif()
string(REGEX MATCHALL "\n  [^\n]*-byte object <[^\n]*" dumped "${listed}")
if(dumped)
    list(LENGTH dumped count)
    string(REPLACE ";" "" shown "${dumped}")
    message(FATAL_ERROR "${count} test names in ${BINARY} end in a byte dump; give their rows a "
                        "PrintTo:${shown}")
endif()
