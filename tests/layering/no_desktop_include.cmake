# Fails when a source under one of FOLDERS (a ;-list) includes the desktop
# window's model. The batch program, the page and the R and Python packages
# see all of src/ (or copy the core), so their includes are checked here.
set(found "")
foreach(folder ${FOLDERS})
  file(GLOB_RECURSE sources ${folder}/*.cpp ${folder}/*.h ${folder}/*.hpp)
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]desktop_model/")
    if(lines)
      list(APPEND found "${source}: ${lines}")
    endif()
  endforeach()
endforeach()
if(found)
  list(JOIN found "\n" text)
  message(FATAL_ERROR "The desktop model is included where it must not be:\n${text}")
endif()
