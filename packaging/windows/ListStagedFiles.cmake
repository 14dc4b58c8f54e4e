# Writes the uninstaller's list of what the installer puts into the program folder, so the
# uninstaller removes exactly those files and then only folders left empty:
#   cmake -DSTAGE=<folder> -DOUTPUT=<file.nsh> -P ListStagedFiles.cmake
file(GLOB_RECURSE files RELATIVE "${STAGE}" "${STAGE}/*")
file(GLOB_RECURSE folders LIST_DIRECTORIES true RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT files)
set(lines "")
foreach(f IN LISTS files)
    string(REPLACE "/" "\\" f "${f}")
    string(APPEND lines "Delete \"$INSTDIR\\${f}\"\n")
endforeach()
# Deepest folders first.
list(REMOVE_ITEM folders ${files})
list(SORT folders ORDER DESCENDING)
foreach(d IN LISTS folders)
    string(REPLACE "/" "\\" d "${d}")
    string(APPEND lines "RMDir \"$INSTDIR\\${d}\"\n")
endforeach()
file(WRITE "${OUTPUT}" "${lines}")
