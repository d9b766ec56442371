# spw_byte_array(PATH NAME OUT): appends to OUT a C++ definition
# "const uint8_t NAME[] = {...};" holding the bytes of the file at PATH.
function(spw_byte_array path name out)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Sixteen bytes a line (CMake's expressions have no counted repeats).
  string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line_of_bytes)
  string(REGEX REPLACE "(${line_of_bytes})" "\\1\n    " bytes "${bytes}")
  set(${out} "${${out}}const uint8_t ${name}[] = {\n    ${bytes}\n};\n\n" PARENT_SCOPE)
endfunction()

# spw_write_if_changed(PATH TEXT): only a changed source is rebuilt.
function(spw_write_if_changed path text)
  file(WRITE "${path}.tmp" "${text}")
  file(COPY_FILE "${path}.tmp" "${path}" ONLY_IF_DIFFERENT)
  file(REMOVE "${path}.tmp")
endfunction()
