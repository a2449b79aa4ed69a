# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P EmbedText.cmake
# Writes a source file that defines `extern const char SYMBOL[]` (the file's bytes and a NUL) and
# `extern const std::size_t SYMBOL_Size`-style `SYMBOLSize` (the byte count without the NUL).
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Written at build time from ${INPUT}; do not edit.\n"
  "#include <cstddef>\n"
  "extern const char ${SYMBOL}[];\n"
  "extern const std::size_t ${SYMBOL}Size;\n"
  "const char ${SYMBOL}[] = {\n    ${bytes}'\\0'};\n"
  "const std::size_t ${SYMBOL}Size = ${size};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
