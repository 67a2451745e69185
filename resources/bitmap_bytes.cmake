# Helpers of the scripts that write bitmap files. CMake cannot write zero
# bytes, so the bytes go through the shell's printf as octal escapes.

# The printf escape of one byte.
function(bm_escape value out_var)
    math(EXPR o2 "${value} / 64")
    math(EXPR o1 "(${value} / 8) % 8")
    math(EXPR o0 "${value} % 8")
    set(${out_var} "\\${o2}${o1}${o0}" PARENT_SCOPE)
endfunction()

# The printf escapes of a little-endian 8-, 16- or 32-bit value.
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

# Appends to out_var the escapes of header fields given as value and size
# (in bytes) after one another.
function(bm_append_fields out_var)
    set(text "${${out_var}}")
    list(LENGTH ARGN n)
    math(EXPR last "${n} - 1")
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET ARGN ${i} v)
        list(GET ARGN ${j} size)
        bm_escape_le(${v} ${size} e)
        string(APPEND text "${e}")
    endforeach()
    set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# Starts out_var with "BM" and the two headers of an uncompressed bottom-up
# bitmap: BITMAPFILEHEADER (file size, reserved, offset of the bits) and
# BITMAPINFOHEADER (size 40, width, height, 1 plane, the bits a pixel, no
# compression, the image size, the pixels per metre, the palette's colours).
# The pixels per metre are 2835 unless a last argument gives them (0: none
# stated). The palette (4 bytes a colour) and the image_bytes of rows follow;
# the file's size goes to size_var.
function(bm_start_bitmap out_var size_var width height bits colors image_bytes)
    set(bm_ppm 2835)
    if(ARGC GREATER 7)
        set(bm_ppm ${ARGV7})
    endif()
    math(EXPR bm_offset "54 + ${colors} * 4")
    math(EXPR bm_size "${bm_offset} + ${image_bytes}")
    set(bm_text "BM")
    bm_append_fields(bm_text "${bm_size};4" "0;4" "${bm_offset};4" "40;4" "${width};4" "${height};4" "1;2"
                     "${bits};2" "0;4" "${image_bytes};4" "${bm_ppm};4" "${bm_ppm};4" "${colors};4" "0;4")
    set(${out_var} "${bm_text}" PARENT_SCOPE)
    set(${size_var} ${bm_size} PARENT_SCOPE)
endfunction()

# The escapes of the zero bytes that pad a row of row_bytes to four bytes.
function(bm_row_padding row_bytes out_var)
    math(EXPR pad "(4 - ${row_bytes} % 4) % 4")
    set(padding "")
    if(pad GREATER 0)
        foreach(i RANGE 1 ${pad})
            string(APPEND padding "\\000")
        endforeach()
    endif()
    set(${out_var} "${padding}" PARENT_SCOPE)
endfunction()

# Writes (mode ">") or appends (mode ">>") escaped bytes to <file>.tmp.
function(bm_write_bytes id file mode text)
    execute_process(COMMAND sh -c "printf '${text}' ${mode} '${file}.tmp'" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "bitmap ${id}: cannot write ${file}")
    endif()
endfunction()

# Checks that <file>.tmp holds the expected number of bytes and puts it in
# place; an unchanged file keeps its time, so nothing is rebuilt for it.
function(bm_finish_file id file expected)
    file(SIZE "${file}.tmp" written)
    if(NOT written EQUAL expected)
        message(FATAL_ERROR "bitmap ${id}: wrote ${written} bytes instead of ${expected}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${file}.tmp" "${file}")
    file(REMOVE "${file}.tmp")
endfunction()
