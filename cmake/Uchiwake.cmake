# Project-wide compiler settings and helpers.

add_compile_options(-Wall -Wextra -Werror)

if(UCHIWAKE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Every target sees the repository root, so includes read "host/TalLink.h".
include_directories(${PROJECT_SOURCE_DIR})

# The program's modules keep their texts as CP932 bytes, as the original did:
# sources are UTF-8, string literals are compiled to CP932.
function(uchiwake_cp932_literals target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
endfunction()

# A static library of the program itself (app/, conditions/, ...).
function(uchiwake_program_library target)
  add_library(${target} STATIC ${ARGN})
  uchiwake_cp932_literals(${target})
endfunction()

# A GoogleTest executable registered with CTest. Usage:
#   uchiwake_add_test(NAME name SOURCES a.cpp... LIBS lib... [CP932])
# CP932 compiles the test's literals as the program's are compiled.
function(uchiwake_add_test)
  cmake_parse_arguments(T "CP932" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} uw_test_support GTest::gtest GTest::gmock
                                          GTest::gtest_main)
  if(T_CP932)
    uchiwake_cp932_literals(${T_NAME})
  endif()
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # The test support knows the build and source trees (compiled in). Tests
  # with real windows each start an X server and a toolkit: one at a time.
  set(properties LABELS "${T_LABELS}")
  if("gui" IN_LIST T_LABELS)
    list(APPEND properties RESOURCE_LOCK x_server)
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()
