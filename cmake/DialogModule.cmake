# A feature folder of dialogs: each dialog is a logic class (Name.cpp: plain C++ over the
# store, driven by tests) and a thin widget class (NameDialog.cpp). The logic library
# tavlen_<feature> never links Qt Widgets; tavlen_<feature>_ui holds the dialogs.
function(tavlen_dialog_module feature)
    file(GLOB _all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(_logic ${_all})
    list(FILTER _logic EXCLUDE REGEX "Dialog\\.cpp$")
    set(_ui ${_all})
    list(FILTER _ui INCLUDE REGEX "Dialog\\.cpp$")
    if(NOT _logic)
        return()
    endif()
    add_library(tavlen_${feature} STATIC ${_logic})
    target_include_directories(tavlen_${feature} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
    target_link_libraries(tavlen_${feature} PUBLIC tavlen_store tavlen_core tavlen_warnings)
    if(_ui)
        add_library(tavlen_${feature}_ui STATIC ${_ui})
        set_target_properties(tavlen_${feature}_ui PROPERTIES AUTOMOC ON)
        target_link_libraries(tavlen_${feature}_ui PUBLIC tavlen_${feature} tavlen_widgets
                                                          Qt6::Widgets tavlen_qt_rules)
    endif()
endfunction()

# Its tests: test_<feature> runs the logic classes on temporary databases (no Qt);
# test_<feature>_dialogs opens each dialog from the main window's menu, offscreen.
function(tavlen_dialog_module_tests feature)
    file(GLOB _logic_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
    list(FILTER _logic_tests EXCLUDE REGEX "DialogTest\\.cpp$")
    file(GLOB _dialog_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*DialogTest.cpp)
    if(_logic_tests AND TARGET tavlen_${feature})
        add_executable(test_${feature} ${_logic_tests})
        target_link_libraries(test_${feature} PRIVATE tavlen_${feature} tavlen_test_support
                                                      GTest::gtest_main)
        gtest_discover_tests(test_${feature} DISCOVERY_TIMEOUT 60)
    endif()
    if(_dialog_tests AND TARGET tavlen_dialog_test_support AND TARGET tavlen_${feature}_ui)
        add_executable(test_${feature}_dialogs ${_dialog_tests})
        target_link_libraries(test_${feature}_dialogs PRIVATE tavlen_dialog_test_support
                                                              tavlen_${feature}_ui)
        gtest_discover_tests(test_${feature}_dialogs DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
