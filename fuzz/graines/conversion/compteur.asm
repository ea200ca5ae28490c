; compteur.asm : compte les touches pressees, jusqu'a CLEAR.
; Ecrit pour crash ; crash2vep le porte vers VEP.

#include "crash.inc"

.db "Compteur de touches",0

        ROM_CALL(CLEARLCD)
        ld      hl,0
        ld      (compte),hl
boucle:
        call GET_KEY            ; a = code de la touche, 0 si aucune
        cp      G_CLEAR
        ret     z
        or      a
        jr      z,boucle
        ld      hl,(compte)
        inc     hl
        ld      (compte),hl
        ld      hl,$0000
        ld      (CURSOR_ROW),hl
        ld      hl,(compte)
        ROM_CALL(D_HL_DECI)
attente:
        CALL GET_KEY
        or      a
        jr      nz,attente
        jr      boucle

compte:
        .dw     0
.end
