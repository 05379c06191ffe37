# The program folder: both programs at its top, the pictures in icons/ and the manual beside
# them. The programs find everything relative to their own folder, and each user's data folder
# is created there at the first start, so the install rules never write below a user's folder.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  # The data lives in the program folder, so it must be one the user can write to.
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/Quillmere" CACHE PATH "Program folder" FORCE)
endif()

install(TARGETS Quillmere update RUNTIME DESTINATION .)

file(GLOB QUILLMERE_PICTURES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/*.bmp
  ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/*.ico)
install(FILES ${QUILLMERE_PICTURES} DESTINATION icons)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/readme.html DESTINATION .)
