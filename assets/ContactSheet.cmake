# Draws every PNG of ASSET_DIR on one sheet (OUTPUT) with its name, over a checkerboard so
# transparency shows. Small images are shown twice their size, screen-sized ones at half.
file(GLOB _pngs RELATIVE ${ASSET_DIR} ${ASSET_DIR}/*.png)
list(SORT _pngs)
set(_sheet_width 1400)
set(_x 20)
set(_y 20)
set(_row 0)
set(_body "")
foreach(_png IN LISTS _pngs)
  file(READ ${ASSET_DIR}/${_png} _ihdr OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING ${_ihdr} 0 8 _w)
  string(SUBSTRING ${_ihdr} 8 8 _h)
  math(EXPR _w "0x${_w}")
  math(EXPR _h "0x${_h}")
  if(_w LESS_EQUAL 128 AND _h LESS_EQUAL 128)
    math(EXPR _w "${_w} * 2")
    math(EXPR _h "${_h} * 2")
  elseif(_w GREATER_EQUAL 600)
    math(EXPR _w "${_w} / 2")
    math(EXPR _h "${_h} / 2")
  endif()
  set(_cell ${_w})
  if(_cell LESS 150)
    set(_cell 150)
  endif()
  math(EXPR _right "${_x} + ${_cell}")
  if(_right GREATER _sheet_width)
    set(_x 20)
    math(EXPR _y "${_y} + ${_row} + 40")
    set(_row 0)
  endif()
  math(EXPR _label_y "${_y} + ${_h} + 18")
  string(APPEND _body
    "<rect x=\"${_x}\" y=\"${_y}\" width=\"${_w}\" height=\"${_h}\" fill=\"url(#checker)\"/>"
    "<image x=\"${_x}\" y=\"${_y}\" width=\"${_w}\" height=\"${_h}\" href=\"${_png}\"/>"
    "<text x=\"${_x}\" y=\"${_label_y}\" font-family=\"DejaVu Sans\" font-size=\"13\" fill=\"#eee\">${_png}</text>\n")
  if(_h GREATER _row)
    set(_row ${_h})
  endif()
  math(EXPR _x "${_x} + ${_cell} + 20")
endforeach()
math(EXPR _height "${_y} + ${_row} + 50")
file(WRITE ${ASSET_DIR}/contact_sheet.svg
  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"${_sheet_width}\" height=\"${_height}\">\n"
  "<defs><pattern id=\"checker\" width=\"16\" height=\"16\" patternUnits=\"userSpaceOnUse\">"
  "<rect width=\"16\" height=\"16\" fill=\"#556\"/><rect width=\"8\" height=\"8\" fill=\"#667\"/>"
  "<rect x=\"8\" y=\"8\" width=\"8\" height=\"8\" fill=\"#667\"/></pattern></defs>\n"
  "<rect width=\"100%\" height=\"100%\" fill=\"#2a2a38\"/>\n${_body}</svg>\n")
execute_process(COMMAND ${RSVG_CONVERT} ${ASSET_DIR}/contact_sheet.svg -o ${OUTPUT} RESULT_VARIABLE _status)
if(NOT _status EQUAL 0)
  message(FATAL_ERROR "rsvg-convert could not draw the contact sheet")
endif()
