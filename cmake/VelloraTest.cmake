# vellora_test(<name> <source> [libraries...]): one QtTest executable, registered with CTest under the offscreen
# platform, in Dutch whatever the machine speaks (tst_language tries English). VELLORA_APPDATA_DIR points at
# the generated application folder; tests copy it before changing it.
# CTest would count a skipped case as passed: here a skip fails the test, so that nothing passes unrun.
function(vellora_test name source)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARGN})
    target_compile_definitions(${name} PRIVATE VELLORA_APPDATA_DIR="${VELLORA_APPDIR}")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(TARGET vellora_appdata)
        add_dependencies(${name} vellora_appdata)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANGUAGE=nl;${VELLORA_SANITIZER_ENV}"
        FAIL_REGULAR_EXPRESSION "SKIP   :"
        TIMEOUT 120)
endfunction()
