// A resource-only module: the dialog templates the window and MFC tests show.
