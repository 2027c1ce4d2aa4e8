; Vornix FLI viewer (6502, PAL C64), assembled with ACME into a 769-byte program.
;
; The picture data is appended right behind this program, so after LOAD it starts at
; $0b00. The viewer carries 69 pages through $5000 down to $3b00, where the display
; expects them:
;   $3b00  background colour of every pixel line: table k (k = 0..7, 25 bytes at
;          $3b00 + 25k) serves pixel line k of each character row, index 24 - r row r
;   $3c00  colour RAM (1000 of 1024 bytes used)
;   $4000  screen matrix k at $4000 + $400k serves pixel line k of every row
;   $6000  bitmap
;
; The display is timed for PAL machines. Anything else (an NTSC machine counts 262 or 263
; raster lines, a PAL-N machine 312 lines of 65 cycles) is told so in a line of text and
; sent back to BASIC, nothing changed.
;
; The display runs in a non-maskable interrupt from CIA 2 timer B, locked to the frame.
; Every pixel line of the picture is a forced bad line: its screen matrix is chosen
; through $d018 and fetched anew because $d011 makes YSCROLL match the line in cycle 14
; (earlier would restart the character row). The picture occupies raster lines
; $30-$f7, the only lines where a fetch can be forced; the upper and lower borders are
; kept open so all 200 lines are seen.
;
; Timing of a pixel line L = $31..$f7: the VIC holds the CPU from the cycle after the
; $d011 write (cycle 15) to cycle 54, so the CPU runs cycles 55-63 of line L-1 and
; 1-14 of line L: 23 cycles, the last of which writes $d011. Every pixel line below is
; exactly those 23 cycles; the stall at the end of each line re-aligns the next one.

        !cpu 6502

        scratch  = $02          ; unused by the system; target of timing fillers
        src      = $fb          ; copy pointers (free zero page)
        dst      = $fd

        tables   = $3b00        ; background colour tables after relocation
        colours  = $3c00        ; colour RAM image after relocation

        vic_ctrl1  = $d011
        vic_raster = $d012
        vic_ctrl2  = $d016
        vic_mem    = $d018
        vic_border = $d020
        vic_back   = $d021
        vic_sprite = $d015
        cia1_pra   = $dc00
        cia1_prb   = $dc01
        cia2_pra   = $dd00
        cia2_tblo  = $dd06
        cia2_tbhi  = $dd07
        cia2_icr   = $dd0d
        cia2_crb   = $dd0f
        nmi_vector = $0318
        chrout     = $ffd2      ; system ROM: print the character in A
        basic_warm = $a002      ; BASIC ROM: vector of the warm start (stack reset, READY.)

        frame_cycles = 312 * 63 ; one PAL frame: the timer B period
        pal_n_count = (48 * 64) DIV 17 + 1 ; the machine check's threshold (181)

        ; $d011 values: bitmap mode, display on, 25 rows, YSCROLL in bits 0-2.
        ctrl_bitmap = $38
        ; ECM and BMM together give an invalid mode that shows only black: used where the
        ; VIC would otherwise show leftovers outside the picture.
        ctrl_black  = $78
        ctrl_24rows = $70

        ; Timing constants (see also the timeline at the NMI handler).
        ; The raster sync leaves the code at line $100, cycle 3; the timer, force-loaded
        ; this many cycles (+6 for the store) later, underflows at line $2c, cycle 1.
        timer_start_delay = 44 * 63 + frame_cycles - (256 * 63 + 2) - 6
        ; With the least interrupt delay the handler reads $a3 from the timer's low byte.
        ; $a5 makes the slide skip 2 to 4 bytes: two cycles of room either way for a CIA
        ; that counts or interrupts a cycle earlier or later.
        jitter_base = $a5
        ; From the end of the slide to line $2f, cycle 51, where pixel line 0 is set up.
        nmi_delay = 171

; ---------------------------------------------------------------------------------------
; Cycle-exact delays.

; A few filler instructions worth exactly .c cycles (.c >= 2). Reads zero page only.
!macro pad .c {
        !if .c < 2 { !error "cannot pad fewer than two cycles" }
        !if .c % 2 == 1 {
                bit scratch
                !set .c = .c - 3
        }
        !if .c > 0 {
                !for .i, 1, .c DIV 2 {
                        nop
                }
        }
}

; Exactly .c cycles (.c >= 2); changes Y and the flags.
!macro wait .c {
        !if .c < 7 {
                +pad .c
        } else {
                !set .n = (.c - 1) DIV 5
                !set .r = (.c - 1) % 5
                !if .r == 1 {
                        !set .n = .n - 1
                        !set .r = 6
                }
                !if .n > 255 { !error "wait too long, use wait_long" }
                ldy #.n                 ; 2 + 5n - 1 cycles
.loop           dey
                bne .loop
                !if >.loop != >* { !error "delay loop crosses a page" }
                !if .r > 0 {
                        +pad .r
                }
        }
}

; Exactly .c cycles (.c >= 1009); changes X, Y and the flags.
!macro wait_long .c {
        !if .c < 1009 { !error "too short for wait_long, use wait" }
        !set .a = (.c - 3) DIV 1006
        !if .a > 255 { !error "wait too long" }
        ldx #.a                         ; 2 + a * (2 + 5 * 200 - 1 + 2 + 3) - 1 cycles
.outer  ldy #200
.inner  dey
        bne .inner
        dex
        bne .outer
        !if >.outer != >* { !error "delay loop crosses a page" }
        +wait .c - (.a * 1006 + 1)
}

; A taken branch costs 3 cycles only if its target is in the page of the instruction
; after it; the timed code relies on that (checked at the end, once all labels are known).
!macro same_page .target, .next {
        !if >.target != >.next { !error "timed branch crosses a page" }
}

; ---------------------------------------------------------------------------------------
; The BASIC line: 1989 SYS2080:REM VORNIX FLI

        * = $0801
        !word basic_end                 ; link to the next line
        !word 1989                      ; line number
        !byte $9e                       ; SYS
        !raw "2080"
        !byte $3a, $8f                  ; : REM
        !raw " VORNIX FLI"
        !byte 0
basic_end
        !word 0                         ; end of the program

        !if * > $0820 { !error "BASIC line too long" }
        !fill $0820 - *, 0
        jmp check_pal                   ; SYS 2080 lands here

; ---------------------------------------------------------------------------------------
; Relocation and set-up.

start   sei
        lda #$34                        ; RAM everywhere while the data is carried up
        sta $01
        lda #$0b                        ; $0b00-$4fff -> $5000-$94ff
        ldx #$50
        jsr copy_pages
        lda #$37
        sta $01
        cli
        lda #$50                        ; $5000-$94ff -> $3b00-$7fff
        ldx #>tables
        jsr copy_pages

        sei                             ; from now on only our NMI runs
        lda #$7f
        sta cia2_icr                    ; CIA 2 interrupts off
        lda #0
        sta cia2_crb                    ; timer B stopped
        sta vic_sprite                  ; sprites off: they would steal cycles
        lda cia2_icr                    ; nothing left pending
        lda #ctrl_black                 ; black until the first frame is drawn
        sta vic_ctrl1
        lda #$18
        sta vic_ctrl2                   ; multicolour, 40 columns

        ldx #0
-       lda colours,x
        sta $d800,x
        lda colours + $100,x
        sta $d900,x
        lda colours + $200,x
        sta $da00,x
        lda colours + $300,x
        sta $db00,x
        inx
        bne -

        lda #$02
        sta cia2_pra                    ; video bank $4000-$7fff
        lda #0
        sta vic_border
        sta vic_back
        lda #<nmi
        sta nmi_vector
        lda #>nmi
        sta nmi_vector + 1
        lda #<(frame_cycles - 1)        ; the timer runs latch + 1 cycles per period
        sta cia2_tblo
        lda #>(frame_cycles - 1)
        sta cia2_tbhi
        lda #$82
        sta cia2_icr                    ; timer B underflow raises the NMI

        ; Find the raster position to the cycle. Lines $f7-$ff are never bad lines, so
        ; nothing stretches the loops below.
        lda #$f7
-       cmp vic_raster
        bne -
        lda #$f8
-       cmp vic_raster                  ; read every 7 cycles: the first read of $f8
        bne -                           ; falls in cycle 1..7 of the line
        bit scratch
        ldx #$f9
        ; Read 62 cycles apart, one cycle earlier in each line, until a read still sees
        ; the previous line: that read fell in the line's last cycle (63).
sync_line
        +wait 51
        cpx vic_raster
        bne synced
sync_next
        inx
        jmp sync_line
synced                                  ; now at cycle 4 of a line in $f9..$ff
        ; Same cycle in every line from here: wait for line $ff.
wait_ff +wait 54
        lda vic_raster                  ; read in cycle 61
        cmp #$ff
        bne wait_ff
wait_ff_next
        ; Line $100, cycle 3. Start the timer so that it underflows at line $2c, cycle 1.
        +wait_long timer_start_delay
        lda #$11                        ; start, continuous, force load, count cycles
        sta cia2_crb

main    jmp main                        ; only the NMI works from here on

; Copies 69 pages from page A to page X upward, showing each byte on the text screen.
copy_pages
        sta src + 1
        stx dst + 1
        ldy #0
        sty src
        sty dst
        ldx #69
-       lda (src),y
        sta (dst),y
        sta $0400,y
        iny
        bne -
        inc src + 1
        inc dst + 1
        dex
        bne -
        rts

; ---------------------------------------------------------------------------------------
; The frame: an NMI from timer B once every 312 lines.
;
; Timeline, in cycles after the timer underflow U (line $2c, cycle 1):
;   U+1         the CIA asserts NMI; the CPU, looping on a JMP, starts the interrupt
;               2 to 4 cycles later, and the system's NMI entry adds SEI and JMP ($0318)
;   U+37..39    the handler reads the timer; the slide below absorbs the difference
;   U+56        from here on every run is cycle-identical
;   line $2f, cycle 51: the first pixel line is set up (a natural bad line)

nmi     pha
        txa
        pha
        tya
        pha
        lda #jitter_base
        sec
        sbc cia2_tblo                   ; later reads see smaller values
        and #7
        sta jitter + 1
jitter  bpl *+2                         ; skips 0..7 bytes of the slide, one cycle each
        !byte $c9, $c9, $c9, $c9, $c9, $c9, $c9, $c9
        !byte $c5, $ea
slide_end

        lda cia2_icr                    ; acknowledge; the RESTORE key also lands here
        and #$02
        beq nmi_end
        +wait nmi_delay
        ldx #ctrl_bitmap + 7            ; kept in X for pixel line 7
        ldy #25                         ; 25 - character row: indexes the tables
                                        ; from one byte below them

        ; Pixel line 0 (line $30) is a bad line by itself, YSCROLL being 0 already: the
        ; VIC stops the CPU at its first read from cycle 12 on. The writes below fall in
        ; cycles 56 (of line $2f) to 7; DEC writes in cycles 11 and 12, which the VIC
        ; still allows, and the JMP is then held until cycle 55, taking the place of
        ; pixel line 1's filler. Had DEC's last read come in cycle 9 or 11 instead of
        ; 10, all would end the same: a cycle of slack either way.
        lda #$08
        sta vic_mem
        lda tables + 24
        sta vic_back
        lda #ctrl_bitmap
        sta vic_ctrl1
        dec scratch
        jmp line1

rows_done                               ; line $f7, cycle 58
        lda #ctrl_black                 ; the VIC keeps fetching below the picture
        sta vic_ctrl1
        lda #0
        sta vic_back
-       lda vic_raster
        cmp #$f9
        bne -
        lda #ctrl_24rows                ; 24 rows now: the lower border never starts
        sta vic_ctrl1
-       lda vic_raster
        cmp #$fd
        bne -
        lda #ctrl_black                 ; back to 25 rows, still black
        sta vic_ctrl1

        lda #$fe                        ; one scan of the keyboard's eight rows
-       sta cia1_pra
        ldx cia1_prb
        sec
        rol
        bcs -

nmi_end pla
        tay
        pla
        tax
        pla
        rti

        ; One character row per pass, 23 CPU cycles per pixel line.
        ; In the first three columns of each forced fetch the VIC takes the low nibble of
        ; the opcode after the $d011 write as colour RAM: $24 (BIT) gives 4 on pixel lines
        ; 0-5, $a9 (LDA #) 9 on line 6, $f0 (BEQ) 0 on line 7. The editor's preview draws
        ; these colours, so other opcodes there change what it must draw.
row     stx vic_ctrl1                   ; pixel line 7 of the row above: cycle 14
        beq rows_done                   ; (flags from the DEY below)
        lda #$08                        ; pixel line 0
        sta vic_mem
        lda tables - 1,y                ; crosses a page: 5 cycles
        sta vic_back
        lda #ctrl_bitmap
        sta vic_ctrl1
        bit scratch                     ; pixel line 1
line1   lda #$18
        sta vic_mem
        lda tables + 25 - 1,y
        sta vic_back
        lda #ctrl_bitmap + 1
        sta vic_ctrl1
        !for .k, 2, 6 {                 ; pixel lines 2 to 6
                bit scratch
                lda #$08 + .k * $10
                sta vic_mem
                lda tables + .k * 25 - 1,y
                sta vic_back
                lda #ctrl_bitmap + .k
                sta vic_ctrl1
        }
        lda #$78                        ; pixel line 7
        sta vic_mem
        lda tables + 7 * 25 - 1,y
        sta vic_back
        dey
        jmp row


;---------------------------------------------------------------------------------------
; The machine check, out of the way of the timed code above.

check_pal
        php
        sei                             ; no interrupt may hide the lowest lines
-       bit vic_ctrl1                   ; raster bit 8: wait for a line below 256 ...
        bmi -
-       bit vic_ctrl1                   ; ... then for line 256, so all lines above are seen
        bpl -
        ldx #0
count_lines
        inx                             ; counts the reads, one every 17 cycles
        lda vic_raster                  ; no line is missed
        cmp #<304                       ; PAL counts on to 311, NTSC stops at 261 or 262
        bcs pal_lines
        bit vic_ctrl1
        bmi count_lines
not_pal plp
        ldx #0
-       lda pal_text,x
        jsr chrout
        inx
        cpx #pal_text_end - pal_text
        bne -
        jmp (basic_warm)                ; prints READY. after the text

        ; 312 lines are not enough: a PAL-N machine has them too, with 65 cycles a line.
        ; From line 256 to 304 the count reaches 48 * 63 / 17 (about 178) on PAL and
        ; 48 * 65 / 17 (about 184) on PAL-N, give or take the two loops' grain. These lines
        ; are never bad lines; sprites there could only lower the count.
pal_lines
        cpx #pal_n_count
        bcs not_pal
        plp
        jmp start

pal_text
        !raw "THIS FLI PICTURE NEEDS A PAL C64."
pal_text_end

        +same_page synced, sync_next
        +same_page wait_ff, wait_ff_next
        +same_page jitter + 2, slide_end
        +same_page count_lines, not_pal

        !if * > $0b00 { !error "the viewer does not fit below $0b00" }
        !fill $0b00 - *, 0
