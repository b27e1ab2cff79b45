# zettlora_module(<folder> [DEPENDS <folder> ...])
#
# Logic library z<folder>: every *.cpp directly in <folder>/, linked to QtCore only.
# Form library z<folder>_ui: every *.cpp in <folder>/ui/, linked to Qt Widgets and
# to the logic library plus the form libraries of the folders it depends on.
# Sources are globbed, so adding a file needs no change here (re-run cmake).
set(ZETTLORA_LOGIC_LIBS "" CACHE INTERNAL "")
set(ZETTLORA_UI_LIBS "" CACHE INTERNAL "")

# The header names (as in #include <QLabel> or <qlabel.h>) of QtWidgets,
# QtPrintSupport and QtGui, read once per configure run from the installed Qt.
function(zettlora_verbotene_header ergebnis)
    get_property(bekannt GLOBAL PROPERTY ZETTLORA_VERBOTENE_HEADER SET)
    if(NOT bekannt)
        set(namen "")
        foreach(modul Widgets PrintSupport Gui)
            get_target_property(dirs Qt6::${modul} INTERFACE_INCLUDE_DIRECTORIES)
            foreach(d ${dirs})
                if(d MATCHES "/Qt${modul}$" AND IS_DIRECTORY "${d}")
                    file(GLOB dateien LIST_DIRECTORIES false RELATIVE "${d}" "${d}/*")
                    list(APPEND namen ${dateien})
                endif()
            endforeach()
        endforeach()
        if(NOT namen)
            message(FATAL_ERROR "The header folders of QtWidgets, QtPrintSupport and QtGui were not found.")
        endif()
        set_property(GLOBAL PROPERTY ZETTLORA_VERBOTENE_HEADER "${namen}")
    endif()
    get_property(namen GLOBAL PROPERTY ZETTLORA_VERBOTENE_HEADER)
    set(${ergebnis} "${namen}" PARENT_SCOPE)
endfunction()

# The project's folders a source may name in an include ("<folder>/...").
set(ZETTLORA_ORDNER platform common addressbook commands catalogues masks printing payment exchange app tests
    CACHE INTERNAL "")

function(zettlora_module folder)
    cmake_parse_arguments(M "" "" "DEPENDS" ${ARGN})
    set(dir ${CMAKE_SOURCE_DIR}/${folder})

    # The folders this one may include: itself and everything it depends on,
    # directly or through another folder.
    set(erlaubt ${folder})
    foreach(d ${M_DEPENDS})
        get_property(unter GLOBAL PROPERTY ZETTLORA_ERLAUBT_${d})
        list(APPEND erlaubt ${d} ${unter})
    endforeach()
    list(REMOVE_DUPLICATES erlaubt)
    set_property(GLOBAL PROPERTY ZETTLORA_ERLAUBT_${folder} "${erlaubt}")
    file(GLOB logic_src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    file(GLOB ui_src CONFIGURE_DEPENDS ${dir}/ui/*.cpp ${dir}/ui/*.h ${dir}/ui/*.qrc)

    set(logic z${folder})
    set(dep_logic "")
    set(dep_ui "")
    foreach(d ${M_DEPENDS})
        list(APPEND dep_logic z${d})
        list(APPEND dep_ui z${d}_ui)
    endforeach()

    add_library(${logic} STATIC ${logic_src} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
    target_include_directories(${logic} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${logic} PUBLIC Qt6::Core ${dep_logic})
    set(ZETTLORA_LOGIC_LIBS ${ZETTLORA_LOGIC_LIBS} ${logic} CACHE INTERNAL "")

    add_library(${logic}_ui STATIC ${ui_src} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
    target_link_libraries(${logic}_ui PUBLIC ${logic} Qt6::Widgets Qt6::PrintSupport ${dep_ui})
    set(ZETTLORA_UI_LIBS ${ZETTLORA_UI_LIBS} ${logic}_ui CACHE INTERNAL "")

    # Logic libraries must build without the widget, print and GUI modules:
    # fail at configure time when one of their sources includes a header of
    # QtWidgets, QtPrintSupport or QtGui (with or without the module prefix,
    # in any spelling Qt installs) or a form header of the project (*/ui/*).
    zettlora_verbotene_header(verboten)
    foreach(f ${logic_src})
        file(STRINGS ${f} zeilen REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(zeile IN LISTS zeilen)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" name "${zeile}")
            string(STRIP "${name}" name)
            set(bad FALSE)
            if(name MATCHES "^(QtWidgets|QtPrintSupport|QtGui)(/|$)" OR name MATCHES "(^|/)ui/")
                set(bad TRUE)
            elseif(name IN_LIST verboten)
                set(bad TRUE)
            endif()
            if(bad)
                message(FATAL_ERROR "${f} is part of a logic library and must not include a widget, "
                                    "print or GUI header: ${zeile}")
            endif()
        endforeach()
    endforeach()

    # No include runs to a folder this one does not depend on (a folder above
    # it, or beside it): fail at configure time.
    foreach(f ${logic_src} ${ui_src})
        if(NOT f MATCHES "\\.(cpp|h)$")
            continue()
        endif()
        file(STRINGS ${f} zeilen REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(zeile IN LISTS zeilen)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" name "${zeile}")
            string(REGEX MATCH "^[^/]+" oben "${name}")
            if(oben IN_LIST ZETTLORA_ORDNER AND NOT oben IN_LIST erlaubt)
                message(FATAL_ERROR "${f} belongs to ${folder}, which does not build on ${oben}: ${zeile}")
            endif()
        endforeach()
    endforeach()
endfunction()
