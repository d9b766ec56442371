# Writes a C++ source holding every PNG that an .rc file names as a byte array,
# with a table by resource id, for platforms without module resources.
#   cmake -DRC_FILE=img/images.rc -DSOURCE_DIR=<top of the tree> -DOUTPUT=<file.cpp> -P EmbedImages.cmake
# The .rc lines read: ID PNG "path relative to SOURCE_DIR".
include(${CMAKE_CURRENT_LIST_DIR}/ByteArray.cmake)

file(STRINGS "${RC_FILE}" lines REGEX "^[0-9]+ PNG \"[^\"]+\"")
set(arrays "")
set(rows "")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([0-9]+) PNG \"([^\"]+)\"" _ "${line}")
  set(id "${CMAKE_MATCH_1}")
  set(path "${CMAKE_MATCH_2}")
  string(APPEND arrays "// ${path}\n")
  spw_byte_array("${SOURCE_DIR}/${path}" kPng${id} arrays)
  string(APPEND rows "    {${id}, kPng${id}, sizeof kPng${id}},\n")
endforeach()

string(CONCAT text "// Generated from ${RC_FILE} by EmbedImages.cmake; do not edit.\n"
  "#include \"embedded_images.h\"\n\nnamespace {\n\n${arrays}}  // namespace\n\n"
  "const EmbeddedImage kEmbeddedImages[] = {\n${rows}};\n"
  "const int kEmbeddedImageCount = sizeof kEmbeddedImages / sizeof kEmbeddedImages[0];\n")
spw_write_if_changed("${OUTPUT}" "${text}")
