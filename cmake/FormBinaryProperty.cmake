# Puts a file into a form description as the bytes of a binary property, at build time:
#
#   cmake -DFORM=<form> -DDATA=<file> -DPROPERTY=<name> -DOUTPUT=<form written> -P FormBinaryProperty.cmake
#
# The form holds the property empty ("<name> = < 00000000 >", a 32-bit size of 0); the copy
# written holds the size of the file and its bytes, in hexadecimal lines. So the description
# stays readable in the source tree, and the data never lives there twice.
foreach(var FORM DATA PROPERTY OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "FormBinaryProperty: ${var} is not given")
  endif()
endforeach()

file(READ "${FORM}" form)
string(REGEX MATCH "\n([ \t]*)${PROPERTY} = < 00000000 >" empty "${form}")
if(NOT empty)
  message(FATAL_ERROR "FormBinaryProperty: ${FORM} has no empty ${PROPERTY} to fill")
endif()
set(indent "${CMAKE_MATCH_1}")

file(SIZE "${DATA}" size)
file(READ "${DATA}" bytes HEX)
string(TOUPPER "${bytes}" bytes)

# The size first, as 4 bytes from the lowest.
math(EXPR size_hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
string(REGEX REPLACE "^0x" "" size_hex "${size_hex}")
string(LENGTH "${size_hex}" digits)
math(EXPR pad "8 - ${digits}")
string(REPEAT "0" ${pad} zeros)
string(TOUPPER "${zeros}${size_hex}" size_hex)
string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" size_le "${size_hex}")

# 32 bytes a line.
string(REGEX REPLACE "(................................................................)" "\\1\n${indent}  " lines "${bytes}")
set(filled "\n${indent}${PROPERTY} = <\n${indent}  ${size_le}\n${indent}  ${lines}\n${indent}>")
string(REPLACE "${empty}" "${filled}" form "${form}")

file(WRITE "${OUTPUT}.tmp" "${form}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
