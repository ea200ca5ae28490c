; raquette.asm : une balle, une raquette, des briques.
; Programme de mesure pour crash2vep, dans le style des sources pour crash.

#include "crash.inc"

.db "Raquette",0

LARGEUR         = 96
HAUTEUR         = 64
VITESSE         = 2

debut:
        ROM_CALL(CLEARLCD)
        ld      hl,etat_initial
        ld      de,etat
        ld      bc,TAILLE_ETAT
        ldir
        call    dessiner_briques
        call    dessiner_raquette

boucle:
        call GET_KEY                    ; a = touche, 0 si aucune
        cp      G_CLEAR
        ret     z
        cp      G_LEFT
        call    z,raquette_gauche
        cp      G_RIGHT
        call    z,raquette_droite
        call    deplacer_balle
        call    tester_briques
        ld      a,(vies)
        or      a
        jr      nz,boucle
        jp      perdu

raquette_gauche:
        ld      a,(raquette_x)
        sub     VITESSE
        ret     c
        ld      (raquette_x),a
        jp      dessiner_raquette

raquette_droite:
        ld      a,(raquette_x)
        add     a,VITESSE
        cp      LARGEUR-12
        ret     nc
        ld      (raquette_x),a
        jp      dessiner_raquette

deplacer_balle:
        ld      hl,(balle_x)            ; l = x, h = y
        ld      de,(balle_dx)           ; e = dx, d = dy
        ld      a,l
        add     a,e
        cp      LARGEUR
        jr      c,bx_ok
        ld      a,e
        neg
        ld      e,a
        ld      a,l
bx_ok:
        ld      l,a
        ld      a,h
        add     a,d
        cp      HAUTEUR-2
        jr      c,by_ok
        ld      a,(vies)
        dec     a
        ld      (vies),a
        ld      a,d
        neg
        ld      d,a
        ld      a,h
by_ok:
        ld      h,a
        ld      (balle_x),hl
        ld      (balle_dx),de
        ret

tester_briques:
        ld      a,(balle_y)
        cp      16
        ret     nc
        srl     a
        srl     a
        srl     a
        ld      b,a
        ld      a,(balle_x)
        srl     a
        srl     a
        srl     a
        ld      c,a
        ld      hl,briques
        ld      de,12
tb_ligne:
        ld      a,b
        or      a
        jr      z,tb_colonne
        add     hl,de
        dec     b
        jr      tb_ligne
tb_colonne:
        ld      b,0
        add     hl,bc
        ld      a,(hl)
        or      a
        ret     z
        ld      (hl),0
        ld      hl,(score)
        inc     hl
        ld      (score),hl
        ret

dessiner_briques:
        ld      hl,briques
        ld      b,24
db_boucle:
        push    bc
        ld      a,(hl)
        inc     hl
        pop     bc
        djnz    db_boucle
        ret

dessiner_raquette:
        ld      a,(raquette_x)
        ld      (CURSOR_X),a
        ld      a,HAUTEUR-2
        ld      (CURSOR_Y),a
        ret

perdu:
        ROM_CALL(CLEARLCD)
        ld      hl,$0303
        ld      (CURSOR_ROW),hl
        ld      hl,texte_perdu
        ROM_CALL(D_ZT_STR)
attente:
        CALL GET_KEY
        or      a
        jr      z,attente
        ret

texte_perdu:
        .db     "Perdu !",0

etat_initial:
        .db     42,3,48,40,1,-1
        .dw     0
TAILLE_ETAT     = $-etat_initial

briques:
        .db     1,1,1,1,1,1,1,1,1,1,1,1
        .db     1,1,1,1,1,1,1,1,1,1,1,1

etat:
raquette_x:     .db     0
vies:           .db     0
balle_x:        .db     0
balle_y:        .db     0
balle_dx:       .db     0
balle_dy:       .db     0
score:          .dw     0

.end
