# A browser has no Japanese face the program can reach, so the program carries one: IPAPGothic
# cut down to the characters its texts hold (tools/web/cut-face.py, which fails the build
# when the face lacks one). A cut is a derived font, and its licence asks for a name of its
# own: the program knows it as "Kunpu PGothic".
set(TYPING_WEB_FONT /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf)
if(NOT EXISTS ${TYPING_WEB_FONT})
    message(FATAL_ERROR "${TYPING_WEB_FONT} is missing: install the Debian package "
                        "fonts-ipafont-gothic (tools/install-deps)")
endif()
# Every folder whose code shows a text: a new window's folder joins the list.
file(GLOB_RECURSE shown_text_sources CONFIGURE_DEPENDS
     program/*.cpp program/*.h services/*.cpp services/*.h menu/*.cpp menu/*.h
     lessons/*.cpp lessons/*.h board/*.cpp board/*.h guide/*.cpp guide/*.h
     record/*.cpp record/*.h)
set(cut_face ${PROJECT_BINARY_DIR}/fonts/kunpu-pgothic.ttf)
add_custom_command(OUTPUT ${cut_face}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/fonts
    COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tools/web/cut-face.py ${TYPING_WEB_FONT}
            ${cut_face} "Kunpu PGothic" ${shown_text_sources}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/web/cut-face.py ${TYPING_WEB_FONT} ${shown_text_sources}
    COMMENT "Cutting IPAPGothic down to the characters the program shows"
    VERBATIM)
set_source_files_properties(${cut_face} PROPERTIES GENERATED TRUE)
