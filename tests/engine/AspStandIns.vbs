' Stand-ins for the ASP objects that a generated page uses. Each statement that the page runs
' and each text that it writes goes to the log file as one line, its line breaks and NULs made
' visible; "END" marks Response.End and "DONE" the end of the page.

Class StandInLog
	Private file

	Public Sub Open(name)
		Set file = CreateObject("Scripting.FileSystemObject").CreateTextFile(name, True)
	End Sub

	Public Sub Add(kind, text)
		Dim shown
		shown = Replace(text, vbCr, "{CR}")
		shown = Replace(shown, vbLf, "{LF}")
		shown = Replace(shown, Chr(0), "{NUL}")
		file.WriteLine kind & " " & shown
	End Sub

	' Wine's cscript prints no error, so a page that fails stops before this line.
	Public Sub Finish(marker)
		file.WriteLine marker
		file.Close
		WScript.Quit 0
	End Sub
End Class

Class StandInRequest
	Private posted
	Private query

	Private Sub Class_Initialize()
		Set posted = CreateObject("Scripting.Dictionary")
		Set query = CreateObject("Scripting.Dictionary")
	End Sub

	Public Sub Post(name, value)
		posted.Add name, value
	End Sub

	Public Sub AddQuery(name, value)
		query.Add name, value
	End Sub

	' A name that was not sent gives Empty, as in ASP.
	Public Function Form(name)
		If posted.Exists(name) Then Form = posted(name)
	End Function

	Public Function QueryString(name)
		If query.Exists(name) Then QueryString = query(name)
	End Function

	' Request(name) looks in the query string first, then in the posted form.
	Public Default Function Item(name)
		If query.Exists(name) Then
			Item = query(name)
		Else
			Item = Form(name)
		End If
	End Function
End Class

Class StandInResponse
	Public Sub Write(text)
		PageLog.Add "WRITE", text
	End Sub

	' The page's Response.End, renamed: End cannot name a member.
	Public Sub Finish()
		PageLog.Finish "END"
	End Sub
End Class

Class StandInRecordset
	Public Default Function Item(name)
		Item = Record(name)
	End Function

	Public Property Get EOF()
		EOF = (Record.Count = 0)
	End Property
End Class

Class StandInConnection
	Public Sub Open(connection)
	End Sub

	Public Function Execute(sql)
		PageLog.Add "SQL", sql
		Set Execute = New StandInRecordset
	End Function
End Class

Class StandInServer
	Public Function CreateObject(progId)
		If progId <> "ADODB.Connection" Then Err.Raise 429
		Set CreateObject = New StandInConnection
	End Function

	' As ASP encodes; Null is refused, so a page must make a string of a database value first.
	Public Function HTMLEncode(text)
		If IsNull(text) Then Err.Raise 94
		Dim encoded
		encoded = Replace(text, "&", "&amp;")
		encoded = Replace(encoded, "<", "&lt;")
		encoded = Replace(encoded, ">", "&gt;")
		HTMLEncode = Replace(encoded, """", "&quot;")
	End Function
End Class

' Wine's IsDate is False for every string. This one answers as Windows' does for the m/d/yyyy
' dates of these runs, and like it reads a string only up to a NUL.
Function IsDate(value)
	Dim text, pattern
	text = "" & value
	If InStr(text, Chr(0)) > 0 Then text = Left(text, InStr(text, Chr(0)) - 1)
	Set pattern = New RegExp
	pattern.Pattern = "^\d{1,2}/\d{1,2}/\d{4}$"
	IsDate = pattern.Test(text)
End Function

Dim PageLog
Dim Request
Dim Response
Dim Server
Dim Record
Set PageLog = New StandInLog
Set Request = New StandInRequest
Set Response = New StandInResponse
Set Server = New StandInServer
Set Record = CreateObject("Scripting.Dictionary")
