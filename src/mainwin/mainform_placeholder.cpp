// The main window's sources land in this folder.
