# Puts a default data file beside the program unless the user already has one there.
if(NOT EXISTS "${DST}")
  configure_file("${SRC}" "${DST}" COPYONLY)
endif()
