# Windows: the Firebird client library (from the embedded kit, or an import library made from
# its exported names), one folder for every program and DLL, and, in a cross-build, the tests
# run under Wine.

# windows.h without its min/max macros; the wide-character API by default. MSVC: no
# deprecation warnings for the standard C functions (getenv, fopen).
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN UNICODE _UNICODE)
if(MSVC)
    add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
endif()
enable_language(RC)

# Programs, tests and the DLLs they load side by side, as they are installed: the client
# library and its engine (or the tests' stand-in) are found beside every executable.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

set(UNIFICADOR_FIREBIRD_KIT "" CACHE PATH
    "Firebird embedded kit for Windows (fbclient.dll, plugins/engine12.dll, firebird.msg, ...)")

if(UNIFICADOR_FIREBIRD_KIT)
    foreach(required fbclient.dll plugins/engine12.dll firebird.msg include/ibase.h)
        if(NOT EXISTS ${UNIFICADOR_FIREBIRD_KIT}/${required})
            message(FATAL_ERROR "UNIFICADOR_FIREBIRD_KIT: ${required} is missing in ${UNIFICADOR_FIREBIRD_KIT}")
        endif()
    endforeach()
    # Cache entries, so that the top level's find_path and find_library keep them.
    set(FBCLIENT_INCLUDE_DIR ${UNIFICADOR_FIREBIRD_KIT}/include CACHE PATH "" FORCE)
    # MSVC links the kit's import library; MinGW links that or the DLL itself.
    find_library(FBCLIENT_LIBRARY NAMES fbclient_ms fbclient
                 PATHS ${UNIFICADOR_FIREBIRD_KIT}/lib ${UNIFICADOR_FIREBIRD_KIT}
                 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    # What the programs load at run time: the client, its embedded engine, the messages, the
    # ICU data and character sets, the configuration and the C++ runtime the kit ships.
    file(GLOB_RECURSE UNIFICADOR_FIREBIRD_RUNTIME RELATIVE ${UNIFICADOR_FIREBIRD_KIT}
         ${UNIFICADOR_FIREBIRD_KIT}/fbclient.dll ${UNIFICADOR_FIREBIRD_KIT}/firebird.msg
         ${UNIFICADOR_FIREBIRD_KIT}/firebird.conf ${UNIFICADOR_FIREBIRD_KIT}/plugins.conf
         ${UNIFICADOR_FIREBIRD_KIT}/ib_util.dll ${UNIFICADOR_FIREBIRD_KIT}/icu*
         ${UNIFICADOR_FIREBIRD_KIT}/msvc*.dll ${UNIFICADOR_FIREBIRD_KIT}/vcruntime*.dll
         ${UNIFICADOR_FIREBIRD_KIT}/plugins/* ${UNIFICADOR_FIREBIRD_KIT}/intl/*)
    # A copy beside the programs built here, so that the tests find the engine.
    foreach(file ${UNIFICADOR_FIREBIRD_RUNTIME})
        configure_file(${UNIFICADOR_FIREBIRD_KIT}/${file} ${CMAKE_BINARY_DIR}/${file} COPYONLY)
    endforeach()
else()
    # No kit (the MinGW cross-build): Debian's ibase.h, copied apart from the host's other headers,
    # and an import library made from the names in fbclient.def. No engine is here: only the
    # tests that open no database can run, beside a stand-in fbclient.dll (testing/).
    find_file(UNIFICADOR_HOST_IBASE_H ibase.h PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    find_program(UNIFICADOR_DLLTOOL NAMES ${CMAKE_DLLTOOL} dlltool)
    if(NOT UNIFICADOR_HOST_IBASE_H OR NOT UNIFICADOR_DLLTOOL)
        message(FATAL_ERROR "Give the Firebird embedded kit: -DUNIFICADOR_FIREBIRD_KIT=<folder>")
    endif()
    set(fbclient_dir ${CMAKE_BINARY_DIR}/fbclient)
    configure_file(${UNIFICADOR_HOST_IBASE_H} ${fbclient_dir}/include/ibase.h COPYONLY)
    set(fbclient_def ${CMAKE_CURRENT_LIST_DIR}/fbclient.def)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${fbclient_def})
    set(import_library ${fbclient_dir}/libfbclient.dll.a)
    execute_process(COMMAND ${UNIFICADOR_DLLTOOL} -d ${fbclient_def} -l ${import_library}
                    COMMAND_ERROR_IS_FATAL ANY)
    set(FBCLIENT_INCLUDE_DIR ${fbclient_dir}/include CACHE PATH "" FORCE)
    set(FBCLIENT_LIBRARY ${import_library} CACHE FILEPATH "" FORCE)
    set(UNIFICADOR_FBCLIENT_STAND_IN ON)
endif()

# A cross-build runs its tests (and the tests' discovery) under Wine, through scripts/wine-run,
# which keeps Wine's prefix and the pt-BR locale under this build folder.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(UNIFICADOR_WINE wine)
    if(UNIFICADOR_WINE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run ${CMAKE_BINARY_DIR}/wine)
    endif()
endif()

# unificador_windows_resource(TARGET DESCRIPTION): the program's icon and version resource.
# The description is ASCII: resource compilers differ in how they read other bytes.
function(unificador_windows_resource target description)
    set(RC_FILE_NAME ${target}.exe)
    set(RC_DESCRIPTION ${description})
    set(RC_ICON ${CMAKE_SOURCE_DIR}/shell/images/icone.ico)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/WindowsResource.rc.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
