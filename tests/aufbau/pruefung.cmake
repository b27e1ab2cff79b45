# Configures small projects with the module rules of cmake/Module.cmake and
# checks that a forbidden include fails the configure step, and that a clean
# tree passes. Run: cmake -DQUELLE=<source dir> -DARBEIT=<scratch dir> -P pruefung.cmake
function(projekt name inhalt_common inhalt_addressbook_ui)
    set(d ${ARBEIT}/${name})
    file(REMOVE_RECURSE ${d})
    file(MAKE_DIRECTORY ${d}/common ${d}/addressbook/ui ${d}/cmake)
    file(COPY ${QUELLE}/cmake/Module.cmake ${QUELLE}/cmake/empty.cpp DESTINATION ${d}/cmake)
    file(WRITE ${d}/CMakeLists.txt "cmake_minimum_required(VERSION 3.21)\nproject(P LANGUAGES CXX)\n"
        "find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport)\n"
        "include(cmake/Module.cmake)\n"
        "zettlora_module(common)\nzettlora_module(addressbook DEPENDS common)\n")
    file(WRITE ${d}/common/a.cpp "${inhalt_common}\n")
    file(WRITE ${d}/addressbook/b.cpp "#include \"common/a.h\"\n")
    file(WRITE ${d}/addressbook/ui/c.cpp "${inhalt_addressbook_ui}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${d} -B ${d}/b RESULT_VARIABLE ergebnis OUTPUT_QUIET
                    ERROR_VARIABLE fehler)
    set(${name}_ergebnis ${ergebnis} PARENT_SCOPE)
    set(${name}_fehler "${fehler}" PARENT_SCOPE)
endfunction()

projekt(sauber "#include \"common/a.h\"\n#include <QString>" "#include <QWidget>\n#include \"common/a.h\"")
if(NOT sauber_ergebnis EQUAL 0)
    message(FATAL_ERROR "a clean tree failed to configure: ${sauber_fehler}")
endif()

projekt(aufwaerts "#include \"addressbook/b.h\"" "")
if(aufwaerts_ergebnis EQUAL 0 OR NOT aufwaerts_fehler MATCHES "does not build on addressbook")
    message(FATAL_ERROR "an include from common up to addressbook was not refused")
endif()

projekt(fenster "#include <QLabel>" "")
if(fenster_ergebnis EQUAL 0 OR NOT fenster_fehler MATCHES "must not include a widget")
    message(FATAL_ERROR "a widget header in a logic library was not refused")
endif()

projekt(formAufwaerts "" "#include \"app/zusammenbau.h\"")
if(formAufwaerts_ergebnis EQUAL 0 OR NOT formAufwaerts_fehler MATCHES "does not build on app")
    message(FATAL_ERROR "an include from a form library up to app was not refused")
endif()
message(STATUS "1 passed, 0 failed")
