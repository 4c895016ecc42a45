# Shared conventions for every subsystem library and its tests.

set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_BUILD_RPATH_USE_ORIGIN ON)
# Installed, the libraries are private to the programs: they live in
# <libdir>/marrowbook, found through the run path relative to the file that
# needs them, so that the installed tree works wherever it is put.
include(GNUInstallDirs)
set(MB_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/marrowbook)
set(CMAKE_INSTALL_RPATH "$ORIGIN/../${MB_INSTALL_LIBDIR}")

add_compile_options(-Wall -Wextra -Wpedantic -Wno-unused-parameter)
if(MB_WERROR)
    add_compile_options(-Werror)
endif()

if(MB_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(MB_FUZZ)
    # The libraries are instrumented for coverage; the harnesses add the fuzzer driver.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# mb_add_library(name SOURCES... LINKS...): one shared library per subsystem folder.
# Sources are the .cpp files of the folder; headers sit beside them and are
# included as "folder/Header.h" from the project root.
function(mb_add_library name)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_library(${name} SHARED ${sources})
    set_target_properties(${name} PROPERTIES INSTALL_RPATH "$ORIGIN")
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# mb_add_tests(name [DIR folder]): one GoogleTest program per library, from
# folder/tests/*.cpp; the folder is the library's name unless DIR says otherwise.
function(mb_add_tests name)
    cmake_parse_arguments(ARG "" "DIR" "" ${ARGN})
    set(folder ${name})
    if(ARG_DIR)
        set(folder ${ARG_DIR})
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/tests/*.cpp)
    if(NOT sources OR NOT TARGET ${name})
        return()
    endif()
    add_executable(${name}_tests ${sources})
    target_link_libraries(${name}_tests PRIVATE ${name} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name}_tests PRIVATE
        MB_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/${folder}/tests/data")
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "MARROWBOOK_HOME=${CMAKE_BINARY_DIR}/test-home")
endfunction()
