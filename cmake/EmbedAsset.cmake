# quorl_embed_asset(TARGET SYMBOL FILE): links FILE into TARGET as constant data
# through the assembler's .incbin. C++ sees `const unsigned char SYMBOL[]`,
# followed by a zero byte, and `const std::size_t SYMBOL_SIZE` without it.
# The same text serves ELF (the desktop) and WebAssembly (the browser), whose
# assemblers differ only in how a read-only section is declared.
function(quorl_embed_asset target symbol file)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.S")
  file(CONFIGURE OUTPUT "${asm}" @ONLY CONTENT [[
#ifdef __wasm__
    .section .rodata.@symbol@,"",@
#else
    .section .rodata.@symbol@,"a",@progbits
#endif
    .globl @symbol@
    .type @symbol@, @object
    .p2align 4
@symbol@:
    .incbin "@file@"
    .byte 0
.L@symbol@_end:
    .size @symbol@, .L@symbol@_end - @symbol@

    .globl @symbol@_SIZE
    .type @symbol@_SIZE, @object
    .p2align 3
@symbol@_SIZE:
#if __SIZEOF_SIZE_T__ == 8
    .quad .L@symbol@_end - @symbol@ - 1
#else
    .long .L@symbol@_end - @symbol@ - 1
#endif
    .size @symbol@_SIZE, __SIZEOF_SIZE_T__

#ifdef __ELF__
    .section .note.GNU-stack,"",@progbits
#endif
]])
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${file}")
  target_sources(${target} PRIVATE "${asm}")
endfunction()
