# Helpers of the scripts that write bitmap files through the shell's printf:
# the escapes of bytes and of little-endian values.

# The printf escape of one byte.
function(bm_escape value out_var)
    math(EXPR o2 "${value} / 64")
    math(EXPR o1 "(${value} / 8) % 8")
    math(EXPR o0 "${value} % 8")
    set(${out_var} "\\${o2}${o1}${o0}" PARENT_SCOPE)
endfunction()

# The printf escapes of a little-endian 16-bit or 32-bit value.
function(bm_escape_le value size out_var)
    set(result "")
    math(EXPR last "${size} - 1")
    foreach(i RANGE 0 ${last})
        math(EXPR b "(${value} >> (8 * ${i})) & 255")
        bm_escape(${b} e)
        string(APPEND result "${e}")
    endforeach()
    set(${out_var} "${result}" PARENT_SCOPE)
endfunction()
