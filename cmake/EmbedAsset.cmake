# quorl_embed_asset(TARGET SYMBOL FILE): links FILE into TARGET as constant data
# through the assembler's .incbin. C++ sees `const unsigned char SYMBOL[]`,
# followed by a zero byte, and `const std::size_t SYMBOL_SIZE` without it.
function(quorl_embed_asset target symbol file)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.S")
  file(CONFIGURE OUTPUT "${asm}" @ONLY CONTENT [[
    .section .rodata.@symbol@, "a"
    .global @symbol@
    .type @symbol@, STT_OBJECT
    .balign 16
@symbol@:
    .incbin "@file@"
    .byte 0
.L@symbol@_end:
    .size @symbol@, .L@symbol@_end - @symbol@

    .global @symbol@_SIZE
    .type @symbol@_SIZE, STT_OBJECT
    .balign 8
@symbol@_SIZE:
    .quad .L@symbol@_end - @symbol@ - 1
    .size @symbol@_SIZE, 8

    .section .note.GNU-stack, "", %progbits
]])
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${file}")
  target_sources(${target} PRIVATE "${asm}")
endfunction()
