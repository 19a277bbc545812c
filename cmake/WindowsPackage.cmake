# Installing and packaging on Windows: the two programs, Qt's runtime beside the window
# program, the Firebird embedded kit beside both, and CPack's ZIP (and NSIS where makensis is
# found). Everything lands in bin/ of the install folder, so each program finds its DLLs.
include(GNUInstallDirs)

install(TARGETS unificador RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET UnificadorQuorvane)
    install(TARGETS UnificadorQuorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # Qt's deploy support (6.3 and later) copies the Qt DLLs, the platform plugin and the
    # styles the window uses; older versions have windeployqt only.
    if(Qt6_VERSION VERSION_GREATER_EQUAL 6.5)
        qt_generate_deploy_app_script(TARGET UnificadorQuorvane OUTPUT_SCRIPT qt_deploy
                                      NO_UNSUPPORTED_PLATFORM_ERROR)
        install(SCRIPT ${qt_deploy})
    elseif(Qt6_VERSION VERSION_GREATER_EQUAL 6.3)
        qt_generate_deploy_app_script(TARGET UnificadorQuorvane FILENAME_VARIABLE qt_deploy
                                      NO_UNSUPPORTED_PLATFORM_ERROR)
        install(SCRIPT ${qt_deploy})
    else()
        find_program(UNIFICADOR_WINDEPLOYQT windeployqt HINTS ${Qt6_DIR}/../../../bin REQUIRED)
        install(CODE "execute_process(COMMAND \"${UNIFICADOR_WINDEPLOYQT}\" --no-translations
                      \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:UnificadorQuorvane>\"
                      COMMAND_ERROR_IS_FATAL ANY)")
    endif()
endif()

# The kit's runtime files (listed in Windows.cmake), in the kit's own layout. The stand-in
# client library of the cross-build's tests is never installed.
if(UNIFICADOR_FIREBIRD_KIT)
    foreach(file ${UNIFICADOR_FIREBIRD_RUNTIME})
        get_filename_component(subfolder ${file} DIRECTORY)
        install(FILES ${UNIFICADOR_FIREBIRD_KIT}/${file}
                DESTINATION ${CMAKE_INSTALL_BINDIR}/${subfolder})
    endforeach()
else()
    message(STATUS "No UNIFICADOR_FIREBIRD_KIT: the install and the packages lack the Firebird client")
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ferramenta de Unificação de Dados - Quorvane")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_EXECUTABLES UnificadorQuorvane "Unificador Quorvane")
set(CPACK_GENERATOR ZIP)
find_program(UNIFICADOR_MAKENSIS makensis)
if(UNIFICADOR_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
    set(CPACK_NSIS_DISPLAY_NAME "Unificador Quorvane")
    set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/shell/images/icone.ico)
    set(CPACK_NSIS_INSTALLED_ICON_NAME ${CMAKE_INSTALL_BINDIR}/UnificadorQuorvane.exe)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
endif()
include(CPack)
