# Helpers shared by every folder's CMakeLists.txt.

set(BM_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)

find_library(BM_GTEST_LIB gtest PATHS ${BM_DEPS_PREFIX}/lib NO_DEFAULT_PATH)
find_library(BM_GTEST_MAIN_LIB gtest_main PATHS ${BM_DEPS_PREFIX}/lib NO_DEFAULT_PATH)
find_library(BM_GMOCK_LIB gmock PATHS ${BM_DEPS_PREFIX}/lib NO_DEFAULT_PATH)

# bm_library(<target> <sources...> [LIBS <libs...>])
# A static library of one folder; the folder is on its public include path.
function(bm_library target)
    cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
    add_library(${target} STATIC ${A_UNPARSED_ARGUMENTS})
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    if(A_LIBS)
        target_link_libraries(${target} PUBLIC ${A_LIBS})
    endif()
endfunction()

# bm_test(<name> <sources...> [LIBS <libs...>] [LOCKS <resource...>] [TIMEOUT <s>] [NOMAIN])
# One test program (GoogleTest) and one ctest entry that runs it under Wine.
# LOCKS names shared state the program touches (e.g. "registry"), so ctest
# never runs two programs that share it at once.
function(bm_test name)
    cmake_parse_arguments(A "NOMAIN" "TIMEOUT" "LIBS;LOCKS" ${ARGN})
    add_executable(${name} ${A_UNPARSED_ARGUMENTS})
    target_include_directories(${name} PRIVATE ${BM_DEPS_PREFIX}/include ${CMAKE_SOURCE_DIR}/tests)
    # Files a test reads (tests/data), by their path as the program sees it
    # under Wine, whose drive Z: is the root of the file system.
    target_compile_definitions(${name} PRIVATE BM_TEST_DATA_DIR="Z:${CMAKE_SOURCE_DIR}/tests/data")
    target_link_libraries(${name} PRIVATE ${A_LIBS})
    if(NOT A_NOMAIN)
        target_link_libraries(${name} PRIVATE ${BM_GTEST_MAIN_LIB})
    endif()
    target_link_libraries(${name} PRIVATE ${BM_GMOCK_LIB} ${BM_GTEST_LIB})
    # A program with the button image editor finds the metafile renderer
    # beside it.
    bm_stands_on_commandbars(needs_renderer ${A_LIBS})
    if(needs_renderer)
        bm_beside_metafile_renderer(${name})
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    if(NOT A_TIMEOUT)
        set(A_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${A_TIMEOUT}
        ENVIRONMENT "WINEPREFIX=${BM_WINEPREFIX};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")
    # A test source may say what shared state it needs, on a line of its own:
    #   "// ctest: run-serial"  it drives the real pointer, keyboard or
    #                           foreground window, or reads the screen: it
    #                           runs with nothing else on the display;
    #   "// ctest: lock NAME"   it uses shared state NAME (e.g. clipboard).
    set(locks ${A_LOCKS})
    foreach(src ${A_UNPARSED_ARGUMENTS})
        if(src MATCHES "_test\\.cpp$")
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${src})
            file(STRINGS ${src} marks REGEX "^// ctest: ")
            foreach(mark ${marks})
                if(mark MATCHES "^// ctest: run-serial")
                    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
                elseif(mark MATCHES "^// ctest: lock ([A-Za-z0-9_]+)")
                    list(APPEND locks ${CMAKE_MATCH_1})
                endif()
            endforeach()
        endif()
    endforeach()
    if(locks)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${locks}")
    endif()
endfunction()

# bm_test_shards(<name> <count>)
# Runs a long test program as <count> ctest entries, each running every
# <count>-th of its tests (the test framework's sharding), so that each entry
# keeps the usual time limit and a failure names a smaller set of tests.
# The entries keep the program's own properties (serial run, locks).
function(bm_test_shards name count)
    foreach(prop RUN_SERIAL RESOURCE_LOCK TIMEOUT ENVIRONMENT)
        get_test_property(${name} ${prop} value_${prop})
    endforeach()
    math(EXPR last "${count} - 1")
    foreach(i RANGE 1 ${last})
        math(EXPR n "${i} + 1")
        add_test(NAME ${name}_${n}of${count} COMMAND ${name} --gtest_brief=1)
        set_tests_properties(${name}_${n}of${count} PROPERTIES
            TIMEOUT ${value_TIMEOUT}
            ENVIRONMENT "${value_ENVIRONMENT};GTEST_TOTAL_SHARDS=${count};GTEST_SHARD_INDEX=${i}")
        if(value_RUN_SERIAL)
            set_tests_properties(${name}_${n}of${count} PROPERTIES RUN_SERIAL TRUE)
        endif()
        if(value_RESOURCE_LOCK)
            set_tests_properties(${name}_${n}of${count} PROPERTIES RESOURCE_LOCK "${value_RESOURCE_LOCK}")
        endif()
    endforeach()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${value_ENVIRONMENT};GTEST_TOTAL_SHARDS=${count};GTEST_SHARD_INDEX=0")
endfunction()

# bm_test_folder(<prefix> LIBS <libs...> [LOCKS <resource...>] [SUPPORT <sources...>] [JOINED <names...>])
# Every *_test.cpp of the calling folder becomes the test program
# <prefix>_<file name>; the folder's other .cpp files, and the SUPPORT
# sources (shared helpers in tests/support/), are linked into each of them.
# A JOINED name makes one program, <prefix>_<name>_test, of the folder's
# <name>_*_test.cpp files (the topics of one long program) and its other
# <name>_*.cpp files (their shared fixture), linked into it alone.
function(bm_test_folder prefix)
    cmake_parse_arguments(A "" "" "LIBS;LOCKS;SUPPORT;JOINED" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(tests)
        list(REMOVE_ITEM helpers ${tests})
    endif()
    foreach(joined ${A_JOINED})
        file(GLOB joined_${joined} CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${joined}_*.cpp)
        list(REMOVE_ITEM tests ${joined_${joined}})
        list(REMOVE_ITEM helpers ${joined_${joined}})
    endforeach()
    foreach(src ${A_SUPPORT})
        list(APPEND helpers ${CMAKE_SOURCE_DIR}/tests/support/${src})
    endforeach()
    foreach(src ${tests})
        get_filename_component(name ${src} NAME_WE)
        bm_test(${prefix}_${name} ${src} ${helpers} LIBS ${A_LIBS} LOCKS ${A_LOCKS})
    endforeach()
    foreach(joined ${A_JOINED})
        bm_test(${prefix}_${joined}_test ${joined_${joined}} ${helpers} LIBS ${A_LIBS} LOCKS ${A_LOCKS})
    endforeach()
endfunction()

# bm_stands_on_commandbars(<out> <libs...>)
# Sets <out> to TRUE when one of the libraries is the command bars' library
# or links it, directly or through others.
function(bm_stands_on_commandbars out)
    set(found FALSE)
    foreach(lib ${ARGN})
        if(lib STREQUAL "toolkit_commandbars")
            set(found TRUE)
        elseif(TARGET ${lib})
            get_target_property(type ${lib} TYPE)
            if(NOT type STREQUAL "INTERFACE_LIBRARY")
                get_target_property(deps ${lib} INTERFACE_LINK_LIBRARIES)
                if(deps)
                    bm_stands_on_commandbars(sub ${deps})
                    if(sub)
                        set(found TRUE)
                    endif()
                endif()
            endif()
        endif()
        if(found)
            break()
        endif()
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# bm_beside_metafile_renderer(<target>)
# Puts the metafile renderer (XTPMetafileRenderer.exe) into the folder of the
# program <target>: the button image editor's Import draws metafiles with
# it and looks for it beside the running program. One copy step per folder,
# shared by the programs built there.
function(bm_beside_metafile_renderer target)
    if(NOT TARGET XTPMetafileRenderer)
        return()
    endif()
    get_target_property(dir ${target} BINARY_DIR)
    file(RELATIVE_PATH rel ${CMAKE_BINARY_DIR} ${dir})
    string(MAKE_C_IDENTIFIER "metafile_renderer_in_${rel}" copy)
    if(NOT TARGET ${copy})
        add_custom_command(OUTPUT ${dir}/XTPMetafileRenderer.exe
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:XTPMetafileRenderer>
                    ${dir}/XTPMetafileRenderer.exe
            DEPENDS XTPMetafileRenderer VERBATIM)
        add_custom_target(${copy} DEPENDS ${dir}/XTPMetafileRenderer.exe)
    endif()
    add_dependencies(${target} ${copy})
endfunction()
