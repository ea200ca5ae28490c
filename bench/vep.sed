# The same conversion as crash2vep, for sources with CR LF line ends and no
# 0x1A byte: a line that names crash.inc or ti82.h becomes the VEP include
# line, a line that calls GET_KEY the ROM_CALL line, both in that order.
/crash\.inc\|ti82\.h/{
  /call GET_KEY\|CALL GET_KEY\|call	GET_KEY/{
    s/.*/#INCLUDE vepbeta.inc\r\n        ROM_CALL(GET_KEY)\r/
    b
  }
  s/.*/#INCLUDE vepbeta.inc\r/
  b
}
/call GET_KEY\|CALL GET_KEY\|call	GET_KEY/s/.*/        ROM_CALL(GET_KEY)\r/
