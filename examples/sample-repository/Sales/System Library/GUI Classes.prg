// The runtime's window classes, as far as the applications build on them.

CLASS Window
	PROTECT hWnd AS PTR
	PROTECT oParent AS OBJECT
	EXPORT Caption AS STRING

METHOD Show(kShowState) CLASS Window
	// Shows the window in the given state.
	RETURN SELF

CLASS Control INHERIT Window
	PROTECT nId AS INT
	EXPORT Value

CLASS SingleLineEdit INHERIT Control
	PROTECT cPicture AS STRING
	EXPORT TextValue AS STRING

CLASS FixedText INHERIT Control
	EXPORT TextColor AS DWORD
