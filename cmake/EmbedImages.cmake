# Writes a C++ source holding every PNG that an .rc file names as a byte array,
# with a table by resource id, for platforms without module resources.
#   cmake -DRC_FILE=img/images.rc -DSOURCE_DIR=<top of the tree> -DOUTPUT=<file.cpp> -P EmbedImages.cmake
# The .rc lines read: ID PNG "path relative to SOURCE_DIR".

file(STRINGS "${RC_FILE}" lines REGEX "^[0-9]+ PNG \"[^\"]+\"")
set(arrays "")
set(rows "")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([0-9]+) PNG \"([^\"]+)\"" _ "${line}")
  set(id "${CMAKE_MATCH_1}")
  set(path "${CMAKE_MATCH_2}")
  file(READ "${SOURCE_DIR}/${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Sixteen bytes a line (CMake's expressions have no counted repeats).
  string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line_of_bytes)
  string(REGEX REPLACE "(${line_of_bytes})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "// ${path}\nconst uint8_t kPng${id}[] = {\n    ${bytes}\n};\n\n")
  string(APPEND rows "    {${id}, kPng${id}, sizeof kPng${id}},\n")
endforeach()

file(WRITE "${OUTPUT}.tmp" "// Generated from ${RC_FILE} by EmbedImages.cmake; do not edit.\n"
  "#include \"embedded_images.h\"\n\nnamespace {\n\n${arrays}}  // namespace\n\n"
  "const EmbeddedImage kEmbeddedImages[] = {\n${rows}};\n"
  "const int kEmbeddedImageCount = sizeof kEmbeddedImages / sizeof kEmbeddedImages[0];\n")
# Only a changed source is rebuilt.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
