#pragma once
// Resource ids of the window-library gallery.

#define IDR_GALLERY 100 // menu and main tool bar
#define IDR_DRAWBAR 101
#define IDR_ZOOMBAR 102
#define IDR_ALIGNBAR 103
#define IDR_PANEBAR 104
#define IDR_CONTEXT 105   // the panes' context menu
#define IDR_PRINTMENU 106 // the print button's drop-down

#define ID_G_NEW 300
#define ID_G_OPEN 301
#define ID_G_SAVE 302
#define ID_G_CUT 303
#define ID_G_COPY 304
#define ID_G_PASTE 305
#define ID_G_BOLD 306
#define ID_G_ITALIC 307
#define ID_G_UNDERLINE 308
#define ID_G_PRINT 309
#define ID_G_HELP 310
#define ID_G_EXIT 311
#define ID_G_PREVIEW 312
#define ID_G_SETUP 313

#define ID_DRAW_POINTER 320
#define ID_DRAW_LINE 321
#define ID_DRAW_RECT 322
#define ID_DRAW_ELLIPSE 323
#define ID_DRAW_TEXT 324
#define ID_DRAW_FILL 325

#define ID_ZOOM_IN 330
#define ID_ZOOM_OUT 331
#define ID_ZOOM_PAGE 332

#define ID_ALIGN_LEFT 340
#define ID_ALIGN_CENTRE 341
#define ID_ALIGN_RIGHT 342
#define ID_ALIGN_JUSTIFY 343

#define ID_PANE_HIDEROW 350
#define ID_PANE_HIDECOLUMN 351
#define ID_PANE_SHOWALL 352
#define ID_PANE_SWAP 353
#define ID_PANE_LOCK 354
#define ID_PANE_THIN 355

#define ID_VIEW_MAINBAR 360
#define ID_VIEW_DRAWBAR 361
#define ID_VIEW_ZOOMBAR 362
#define ID_VIEW_ALIGNBAR 363
#define ID_VIEW_PANEBAR 364
#define ID_VIEW_STATUSBAR 365

#define IDC_ZOOMBOX 370
#define IDC_PICK_BACK 371
#define IDC_PICK_TEXT 372
#define IDC_PICK_AUTO 373
#define IDC_HOVER 374
#define IDC_CAPTION 375
#define IDS_READY 380
#define IDC_LINK 381
#define IDC_UNITS 382
