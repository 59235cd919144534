<%

Option Explicit

'--------------------------------------
'---- Spewed out by the Ombrix ----
'---- http://www.ombrix.org/   ----
'--------------------------------------

Function SQLQuote(ByVal var)
	If InStr(var, "'") <> 0 Then
		var = Replace(var, "'", "''")
	End If
	var = Replace(var, "|", "' & Chr(124) & '")

	SQLQuote = var
End Function

Function SQLDate(ByVal var)
	If var = "" Then
		SQLDate = "Null"
	Else
		SQLDate = "#" & var & "#"
	End If
End Function

'framework variables...
Dim objDB
Dim objRS
Dim sDBName
Dim sAction
Dim sRowColor
Dim html
Dim sql
Dim sError

'database variables...
Dim Leading_Blanks
Dim Trailing_Blanks
Dim Doubled__Blank
Dim O'brien's_Note
Dim 2nd_Address_Line
Dim Größe
Dim École_Été
Dim Номер_Заказа
Dim First-name_x
Dim Σοφία_Date
Dim Ÿes_Œuvre

'TODO: Verify database path...
sDBName = "driver={Microsoft Access Driver (*.mdb)};dbq=D:\Übersicht\Kunden.mdb"
Set objDB = Server.CreateObject("ADODB.Connection")
objDB.Open sDBName

'This tells us if they've clicked the Update button...
sAction = Request("action")

Sub GetData()
	'TODO: Modify the next line to fit your needs. It should only return ONE record! The record you want to edit...
	Set objRS = objDB.Execute("select * from Straße Kunden where Kunden Nr = " & Kunden Nr & ";")

	If objRS.EOF Then
		Leading_Blanks = ""
		Trailing_Blanks = ""
		Doubled__Blank = ""
		O'brien's_Note = ""
		2nd_Address_Line = ""
		Größe = ""
		École_Été = ""
		Номер_Заказа = ""
		First-name_x = ""
		Σοφία_Date = ""
		Ÿes_Œuvre = ""
	Else
		Leading_Blanks = objRS("Leading Blanks")
		Trailing_Blanks = objRS("Trailing Blanks")
		Doubled__Blank = objRS("Doubled  Blank")
		O'brien's_Note = objRS("O'brien's Note")
		2nd_Address_Line = objRS("2nd Address Line")
		Größe = objRS("Größe")
		École_Été = objRS("École Été")
		Номер_Заказа = objRS("Номер Заказа")
		First-name_x = objRS("First-name_x")
		Σοφία_Date = objRS("Σοφία Date")
		Ÿes_Œuvre = objRS("Ÿes Œuvre")
	End If
End Sub

Sub DisplayForm()
	html=""
	sRowColor="#C4CEE5"
	html = html & "<blockquote>"
	html = html & "Please make your changes then press the Update button.<p>"
	html = html & "<font color=red>" & sError & "</font><p>"
	'TODO: Change YOURASPFILE.ASP to a valid file...
	html = html & "<form name=form1 method=Get action=youraspfile.asp>"
	html = html & "<table cellpadding=2 cellspacing=2>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Leading Blanks:</td><td><input size=20 name=Leading_Blanks value=" & Chr(34) & Server.HTMLEncode("" & Leading_Blanks) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Trailing Blanks:</td><td><input size=20 name=Trailing_Blanks value=" & Chr(34) & Server.HTMLEncode("" & Trailing_Blanks) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Doubled  Blank:</td><td><input size=20 name=Doubled__Blank value=" & Chr(34) & Server.HTMLEncode("" & Doubled__Blank) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>O'brien's Note:</td><td><textarea name=O'brien's_Note rows=4 cols=40>" & Server.HTMLEncode("" & O'brien's_Note) & "</textarea></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>2nd Address Line:</td><td><input size=20 name=2nd_Address_Line value=" & Chr(34) & Server.HTMLEncode("" & 2nd_Address_Line) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Größe:</td><td><input size=20 name=Größe value=" & Chr(34) & Server.HTMLEncode("" & Größe) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>École Été:</td><td><input size=20 name=École_Été value=" & Chr(34) & Server.HTMLEncode("" & École_Été) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Номер Заказа:</td><td><input size=20 name=Номер_Заказа value=" & Chr(34) & Server.HTMLEncode("" & Номер_Заказа) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>First-name_x:</td><td><input size=20 name=First-name_x value=" & Chr(34) & Server.HTMLEncode("" & First-name_x) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Σοφία Date:</td><td><input size=20 name=Σοφία_Date value=" & Chr(34) & Server.HTMLEncode("" & Σοφία_Date) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Ÿes Œuvre:</td><td><input size=20 name=Ÿes_Œuvre value=" & Chr(34) & Server.HTMLEncode("" & Ÿes_Œuvre) & Chr(34) & "></td></tr>"
	html = html & "</table><p>"
	html = html & "<input type=submit name=action value=Update>"
	html = html & "</form>"
	html = html & "</blockquote>"
	Response.Write html
End Sub

Sub ValidateData()
	Leading_Blanks = Trim(Request.QueryString("Leading_Blanks"))
	Trailing_Blanks = Request.QueryString("Trailing_Blanks")
	Doubled__Blank = Request.QueryString("Doubled__Blank")
	O'brien's_Note = Trim(Request.QueryString("O'brien's_Note"))
	2nd_Address_Line = Trim(Request.QueryString("2nd_Address_Line"))
	Größe = Request.QueryString("Größe")
	École_Été = Trim(Request.QueryString("École_Été"))
	Номер_Заказа = Request.QueryString("Номер_Заказа")
	First-name_x = Trim(Request.QueryString("First-name_x"))
	Σοφία_Date = Request.QueryString("Σοφία_Date")
	Ÿes_Œuvre = Request.QueryString("Ÿes_Œuvre")

	'TODO: Modify/Delete the field validations below to match your situation...

	If Leading_Blanks = "" Then
		sError = sError & "Leading Blanks is a required field.<br>"
	End If 

	If Trailing_Blanks = "" Then
		sError = sError & "Trailing Blanks is a required field.<br>"
	End If 

	If Trailing_Blanks <> "" Then
		If Not IsNumeric(Trailing_Blanks) Or InStr(Trailing_Blanks, Chr(0)) > 0 Or InStr(Trailing_Blanks, ",") > 0 Then
			sError = sError & "Trailing Blanks is not a valid number.<br>"
		End If 
	End If 

	If Doubled__Blank = "" Then
		sError = sError & "Doubled  Blank is a required field.<br>"
	End If 

	If Doubled__Blank <> "" Then
		If Not IsNumeric(Doubled__Blank) Or InStr(Doubled__Blank, Chr(0)) > 0 Or InStr(Doubled__Blank, ",") > 0 Then
			sError = sError & "Doubled  Blank is not a valid number.<br>"
		End If 
	End If 

	If O'brien's_Note = "" Then
		sError = sError & "O'brien's Note is a required field.<br>"
	End If 

	If 2nd_Address_Line = "" Then
		sError = sError & "2nd Address Line is a required field.<br>"
	End If 

	If Größe = "" Then
		sError = sError & "Größe is a required field.<br>"
	End If 

	If Größe <> "" Then
		If Not IsNumeric(Größe) Or InStr(Größe, Chr(0)) > 0 Or InStr(Größe, ",") > 0 Then
			sError = sError & "Größe is not a valid number.<br>"
		End If 
	End If 

	If École_Été = "" Then
		sError = sError & "École Été is a required field.<br>"
	End If 

	If Номер_Заказа = "" Then
		sError = sError & "Номер Заказа is a required field.<br>"
	End If 

	If Номер_Заказа <> "" Then
		If Not IsNumeric(Номер_Заказа) Or InStr(Номер_Заказа, Chr(0)) > 0 Or InStr(Номер_Заказа, ",") > 0 Then
			sError = sError & "Номер Заказа is not a valid number.<br>"
		End If 
	End If 

	If First-name_x = "" Then
		sError = sError & "First-name_x is a required field.<br>"
	End If 

	If Σοφία_Date <> "" Then
		If Not IsDate(Σοφία_Date) Or InStr(Σοφία_Date, Chr(0)) > 0 Then
			sError = sError & "Σοφία Date is not a valid date.<br>"
		End If 
	End If 

	If Ÿes_Œuvre = "" Then
		sError = sError & "Ÿes Œuvre is a required field.<br>"
	End If 

	If Ÿes_Œuvre <> "" Then
		If LCase(Ÿes_Œuvre) <> "true" And LCase(Ÿes_Œuvre) <> "false" And Ÿes_Œuvre <> "0" And Ÿes_Œuvre <> "1" And Ÿes_Œuvre <> "-1" Then
			sError = sError & "Ÿes Œuvre is not a valid yes/no value.<br>"
		End If 
	End If 

	If sError <> "" Then
		DisplayForm()
		Response.End
	Else
		'Code to add a new record...
		sql = "Insert Into Straße Kunden ("
		sql = sql & "Leading_Blanks,"
		sql = sql & "Trailing_Blanks,"
		sql = sql & "Doubled__Blank,"
		sql = sql & "O'brien's_Note,"
		sql = sql & "2nd_Address_Line,"
		sql = sql & "Größe,"
		sql = sql & "École_Été,"
		sql = sql & "Номер_Заказа,"
		sql = sql & "First-name_x,"
		sql = sql & "Σοφία_Date,"
		sql = sql & "Ÿes_Œuvre"
		sql = sql & ") "
		sql = sql & "Values ("
		sql = sql & "'" & SqlQuote(Leading_Blanks) & "',"
		sql = sql & "" & Trailing_Blanks & ","
		sql = sql & "" & Doubled__Blank & ","
		sql = sql & "'" & SqlQuote(O'brien's_Note) & "',"
		sql = sql & "'" & SqlQuote(2nd_Address_Line) & "',"
		sql = sql & "" & Größe & ","
		sql = sql & "'" & SqlQuote(École_Été) & "',"
		sql = sql & "" & Номер_Заказа & ","
		sql = sql & "'" & SqlQuote(First-name_x) & "',"
		sql = sql & SQLDate(Σοφία_Date) & ","
		sql = sql & "" & Ÿes_Œuvre & ""
		sql = sql & ");"

		'Code to update an existing new record...
		sql = "UPDATE Straße Kunden SET "
		sql = sql & "Leading_Blanks='" & SqlQuote(Leading_Blanks) & "',"
		sql = sql & "Trailing_Blanks=" & Trailing_Blanks & ","
		sql = sql & "Doubled__Blank=" & Doubled__Blank & ","
		sql = sql & "O'brien's_Note='" & SqlQuote(O'brien's_Note) & "',"
		sql = sql & "2nd_Address_Line='" & SqlQuote(2nd_Address_Line) & "',"
		sql = sql & "Größe=" & Größe & ","
		sql = sql & "École_Été='" & SqlQuote(École_Été) & "',"
		sql = sql & "Номер_Заказа=" & Номер_Заказа & ","
		sql = sql & "First-name_x='" & SqlQuote(First-name_x) & "',"
		sql = sql & "Σοφία_Date=" & SQLDate(Σοφία_Date) & ","
		sql = sql & "Ÿes_Œuvre=" & Ÿes_Œuvre & ""
		sql = sql & " where Kunden Nr = " & Kunden Nr & ";"

		'response.write sql
		ObjDB.Execute(sql)

		If Err = 0 Then
			'if we get here without an error, the data was updated...
			Response.Write "Update Successful!"
			Response.End
		End If
	End If
End Sub

Sub PageStart()
	'pagestart stuff goes here...
	html = ""
	html = html & "<html>"
	html = html & "<head>"
	html = html & "<title>Title Goes Here</title>"
	html = html & "</head>"
	html = html & "<body>"
	Response.Write html
End Sub

Sub ShowConfirm()
	'delete confirmation stuff goes here...
	html = ""
	html = html & "<h3>Delete</h3>"
	html = html & "Press Confirm to permenantly remove this record from the database.<p>"
	'TODO: Change YOURASPFILE.ASP to a valid file...
	html = html & "<form name=form1 method=Post action=youraspfile.asp>"
	html = html & "<input type=submit name=action value=Confirm>"
	html = html & "<input type=hidden name=Kunden Nr value=" & Chr(34) & Server.HTMLEncode(request.Form("Kunden Nr")) & Chr(34) & ">"
	html = html & "</form>"
	Response.Write html
End Sub

Sub DeleteIt()
	'delete the record...
	html = ""
	If Not IsNumeric(Request.Form("Kunden Nr")) Or InStr(Request.Form("Kunden Nr"), Chr(0)) > 0 Or InStr(Request.Form("Kunden Nr"), ",") > 0 Then
		Response.Write "Not a valid record key."
		Response.End
	End If
	sql = "delete * from Straße Kunden where Kunden Nr=" & Request.Form("Kunden Nr") & ";"
	objDB.Execute (sql)

	html = html & "<h3>Delete</h3>"
	html = html & "Delete Successful!"

	html = html & "<a href=index.html>R E T U R N</a>"
	Response.Write html
End Sub

Select Case sAction
	Case ""
		PageStart()
		GetData()
		DisplayForm()

	Case "Update"
		ValidateData()

	Case "Delete"
		PageStart()
		ShowConfirm()

	Case "Confirm"
		PageStart()
		DeleteIt()

End Select
%>
