# Turns a data file into a C++ source: `const char NAME[]` holding the file's
# bytes and a closing NUL, in namespace inventory::data.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=kName -P EmbedData.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE "${OUTPUT}" "namespace inventory::data {\nextern const char ${NAME}[] = {${bytes}'\\0'};\n}\n")
