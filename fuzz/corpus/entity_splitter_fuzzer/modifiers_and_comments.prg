// Header comment before the first entity.
#include "windows.vh"

PARTIAL CLASS Foo INHERIT Bar IMPLEMENTS IBaz // note
	EXPORT a AS INT
END CLASS

/*
CLASS Hidden INHERIT Nothing
*/
STATIC FUNCTION Helper(x) AS INT PASCAL
	LOCAL c := "/*" AS STRING
	RETURN x

CLASS Continued ;
	INHERIT Base ;
	// trailing comment
	PROTECT b
PUBLIC VIRTUAL METHOD Run() CLASS Continued
	RETURN NIL
ACCESS Name CLASS Continued ; RETURN SELF:b
_DLL FUNCTION MessageBox(h AS PTR) AS INT PASCAL:USER32.MessageBoxA
DEFINE MAX_ITEMS := 100
GLOBAL gnCount AS INT
RESOURCE IDI_ORDERS ICON orders.ico
TEXTBLOCK Notes
STRUCTURE Point
	MEMBER x AS INT
ENUM Colors
DELEGATE Handler(o AS OBJECT) AS VOID
FUNC Short()
PROC Start()
CLASS
CLASS Foo INHERIT
