// The window library starts here; windows are added beside it.
