# The program's needed list, ordered for a faster start.
#
# At each start the dynamic linker resolves every symbol reference of the 177 libraries the
# program loads by searching them in breadth-first order of their needed lists, stopping at the
# first that defines the symbol. One of WebKit's libraries, flite's "time" voice (speech
# synthesis), refers to its own tables some 31,000 times and sits about 65th in that order:
# those searches were half of the dynamic linker's work, about 11 ms of the 135 from exec to
# `main` on a two-processor machine. Named first in the program's needed list, each of them
# stops at the first library tried. The voice defines no symbol that another library of the
# program also defines, so every reference resolves to the same definition as before.
#
# To find such a library again: `LD_DEBUG=bindings LD_DEBUG_OUTPUT=/tmp/b quillomat --x`, count
# the bindings by the library they resolve to, and weigh each count by that library's place in
# `LD_DEBUG=scopes`.

# Named only where the WebKit being linked needs the voice itself (otherwise the program would
# load it for nothing), and only while the voice defines no symbol that another of the
# program's libraries defines (otherwise naming it first would change what a reference resolves
# to); decided once, here.
set(quillomat_linked_first libflite_cmu_time_awb.so.1)
set(QUILLOMAT_LINKED_FIRST_OPTION "")
set(quillomat_webkit_library ${WEBKIT_LINK_LIBRARIES})
list(FILTER quillomat_webkit_library INCLUDE REGEX "/libwebkit2gtk-4\\.1\\.so$")
if(CMAKE_READELF AND quillomat_webkit_library)
    execute_process(COMMAND "${CMAKE_READELF}" -d ${quillomat_webkit_library}
        OUTPUT_VARIABLE quillomat_webkit_dynamic_section ERROR_QUIET)
    string(FIND "${quillomat_webkit_dynamic_section}" "[${quillomat_linked_first}]" needed_at)
    if(NOT needed_at EQUAL -1)
        set(quillomat_program_libraries ${WEBKIT_LINK_LIBRARIES} ${GTKMM_LINK_LIBRARIES}
            ${FONTCONFIG_LINK_LIBRARIES} ${FREETYPE_LINK_LIBRARIES})
        list(FILTER quillomat_program_libraries INCLUDE REGEX "\\.so$")
        find_library(quillomat_linked_first_path NAMES ${quillomat_linked_first})
        execute_process(
            COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/first_library_clashes.sh"
                "${quillomat_linked_first_path}" ${quillomat_program_libraries}
            OUTPUT_VARIABLE quillomat_clashes
            RESULT_VARIABLE quillomat_clash_check)
        if(NOT quillomat_clash_check EQUAL 0 OR NOT quillomat_linked_first_path)
            message(STATUS "Start-up link order: left alone, ${quillomat_linked_first}'s symbols could not be checked")
        elseif(quillomat_clashes)
            message(STATUS "Start-up link order: left alone, ${quillomat_linked_first} defines symbols that other libraries define too")
        else()
            set(QUILLOMAT_LINKED_FIRST_OPTION
                "LINKER:--push-state,--no-as-needed,-l:${quillomat_linked_first},--pop-state")
        endif()
    endif()
endif()

function(quillomat_order_libraries_for_start target)
    if(QUILLOMAT_LINKED_FIRST_OPTION)
        target_link_options(${target} PRIVATE "${QUILLOMAT_LINKED_FIRST_OPTION}")
    endif()
endfunction()
