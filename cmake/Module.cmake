# zettlora_module(<folder> [DEPENDS <folder> ...])
#
# Logic library z<folder>: every *.cpp directly in <folder>/, linked to QtCore only.
# Form library z<folder>_ui: every *.cpp in <folder>/ui/, linked to Qt Widgets and
# to the logic library plus the form libraries of the folders it depends on.
# Sources are globbed, so adding a file needs no change here (re-run cmake).
set(ZETTLORA_LOGIC_LIBS "" CACHE INTERNAL "")
set(ZETTLORA_UI_LIBS "" CACHE INTERNAL "")

function(zettlora_module folder)
    cmake_parse_arguments(M "" "" "DEPENDS" ${ARGN})
    set(dir ${CMAKE_SOURCE_DIR}/${folder})
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

    # Logic libraries must build without the widget module: fail at configure
    # time when one of their sources includes a widget header.
    foreach(f ${logic_src})
        file(STRINGS ${f} bad REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](QtWidgets|QtPrintSupport|Q(Widget|Dialog|MainWindow|Application|MessageBox|LineEdit|TextEdit|PlainTextEdit|Label|PushButton|ListView|ListWidget|ComboBox|CheckBox|Printer|PrintDialog|FileDialog|InputDialog|Menu|StatusBar|ProgressBar|Frame|Style)[>\"])")
        if(bad)
            message(FATAL_ERROR "${f} is part of a logic library and must not include a widget header: ${bad}")
        endif()
    endforeach()
endfunction()
