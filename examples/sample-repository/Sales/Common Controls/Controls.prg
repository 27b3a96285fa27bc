// Controls shared by every sales application.

CLASS LabelledEdit INHERIT SingleLineEdit
	EXPORT oLabel AS FixedText      // the caption shown to the left
	PROTECT nLabelWidth := 80 AS INT
	PROTECT cPicture := "@!" AS STRING

METHOD Init(oOwner, nId, oPoint, oDimension) CLASS LabelledEdit
	SUPER:Init(oOwner, nId, oPoint, oDimension)
	SELF:oLabel := FixedText{oOwner, nId + 1000, oPoint, oDimension}
	RETURN SELF

ACCESS LabelText CLASS LabelledEdit
	RETURN SELF:oLabel:TextValue
