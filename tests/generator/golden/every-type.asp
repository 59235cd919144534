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
Dim Type_0
Dim Type_1
Dim Type_2
Dim Type_3
Dim Type_4
Dim Type_5
Dim Type_6
Dim Type_7
Dim Type_8
Dim Type_9
Dim Type_10
Dim Type_11
Dim Type_12
Dim Type_13
Dim Type_14
Dim Type_15
Dim Type_16
Dim Type_17
Dim Type_18
Dim Type_19
Dim Type_20
Dim Type_21
Dim Type_22
Dim Type_23
Dim Type_24

'TODO: Verify database path...
sDBName = "driver={Microsoft Access Driver (*.mdb)};dbq=C:\Data\Types.mdb"
Set objDB = Server.CreateObject("ADODB.Connection")
objDB.Open sDBName

'This tells us if they've clicked the Update button...
sAction = Request("action")

Sub GetData()
	'TODO: Modify the next line to fit your needs. It should only return ONE record! The record you want to edit...
	Set objRS = objDB.Execute("select * from AllTypes where ID = " & ID & ";")

	If objRS.EOF Then
		Type_0 = ""
		Type_1 = ""
		Type_2 = ""
		Type_3 = ""
		Type_4 = ""
		Type_5 = ""
		Type_6 = ""
		Type_7 = ""
		Type_8 = ""
		Type_9 = ""
		Type_10 = ""
		Type_11 = ""
		Type_12 = ""
		Type_13 = ""
		Type_14 = ""
		Type_15 = ""
		Type_16 = ""
		Type_17 = ""
		Type_18 = ""
		Type_19 = ""
		Type_20 = ""
		Type_21 = ""
		Type_22 = ""
		Type_23 = ""
		Type_24 = ""
	Else
		Type_0 = objRS("Type 0")
		Type_1 = objRS("Type 1")
		Type_2 = objRS("Type 2")
		Type_3 = objRS("Type 3")
		Type_4 = objRS("Type 4")
		Type_5 = objRS("Type 5")
		Type_6 = objRS("Type 6")
		Type_7 = objRS("Type 7")
		Type_8 = objRS("Type 8")
		Type_9 = objRS("Type 9")
		Type_10 = objRS("Type 10")
		Type_11 = objRS("Type 11")
		Type_12 = objRS("Type 12")
		Type_13 = objRS("Type 13")
		Type_14 = objRS("Type 14")
		Type_15 = objRS("Type 15")
		Type_16 = objRS("Type 16")
		Type_17 = objRS("Type 17")
		Type_18 = objRS("Type 18")
		Type_19 = objRS("Type 19")
		Type_20 = objRS("Type 20")
		Type_21 = objRS("Type 21")
		Type_22 = objRS("Type 22")
		Type_23 = objRS("Type 23")
		Type_24 = objRS("Type 24")
	End If
End Sub

Sub DisplayForm()
	html=""
	sRowColor="#C4CEE5"
	html = html & "<blockquote>"
	html = html & "Please make your changes then press the Update button.<p>"
	html = html & "<font color=red>" & sError & "</font><p>"
	'TODO: Change YOURASPFILE.ASP to a valid file...
	html = html & "<form name=form1 method=Post action=youraspfile.asp>"
	html = html & "<table cellpadding=2 cellspacing=2>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 0:</td><td><input size=20 name=Type_0 value=" & Chr(34) & Server.HTMLEncode("" & Type_0) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 1:</td><td><input size=20 name=Type_1 value=" & Chr(34) & Server.HTMLEncode("" & Type_1) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 2:</td><td><input size=20 name=Type_2 value=" & Chr(34) & Server.HTMLEncode("" & Type_2) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 3:</td><td><input size=20 name=Type_3 value=" & Chr(34) & Server.HTMLEncode("" & Type_3) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 4:</td><td><input size=20 name=Type_4 value=" & Chr(34) & Server.HTMLEncode("" & Type_4) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 5:</td><td><input size=20 name=Type_5 value=" & Chr(34) & Server.HTMLEncode("" & Type_5) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 6:</td><td><input size=20 name=Type_6 value=" & Chr(34) & Server.HTMLEncode("" & Type_6) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 7:</td><td><input size=20 name=Type_7 value=" & Chr(34) & Server.HTMLEncode("" & Type_7) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 8:</td><td><input size=20 name=Type_8 value=" & Chr(34) & Server.HTMLEncode("" & Type_8) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 9:</td><td><input size=20 name=Type_9 value=" & Chr(34) & Server.HTMLEncode("" & Type_9) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 10:</td><td><input size=20 name=Type_10 value=" & Chr(34) & Server.HTMLEncode("" & Type_10) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 11:</td><td><input size=20 name=Type_11 value=" & Chr(34) & Server.HTMLEncode("" & Type_11) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 12:</td><td><textarea name=Type_12 rows=4 cols=40>" & Server.HTMLEncode("" & Type_12) & "</textarea></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 13:</td><td><input size=20 name=Type_13 value=" & Chr(34) & Server.HTMLEncode("" & Type_13) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 14:</td><td><input size=20 name=Type_14 value=" & Chr(34) & Server.HTMLEncode("" & Type_14) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 15:</td><td><input size=20 name=Type_15 value=" & Chr(34) & Server.HTMLEncode("" & Type_15) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 16:</td><td><input size=20 name=Type_16 value=" & Chr(34) & Server.HTMLEncode("" & Type_16) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 17:</td><td><input size=20 name=Type_17 value=" & Chr(34) & Server.HTMLEncode("" & Type_17) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 18:</td><td><input size=20 name=Type_18 value=" & Chr(34) & Server.HTMLEncode("" & Type_18) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 19:</td><td><input size=20 name=Type_19 value=" & Chr(34) & Server.HTMLEncode("" & Type_19) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 20:</td><td><input size=20 name=Type_20 value=" & Chr(34) & Server.HTMLEncode("" & Type_20) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 21:</td><td><input size=20 name=Type_21 value=" & Chr(34) & Server.HTMLEncode("" & Type_21) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 22:</td><td><input size=20 name=Type_22 value=" & Chr(34) & Server.HTMLEncode("" & Type_22) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 23:</td><td><input size=20 name=Type_23 value=" & Chr(34) & Server.HTMLEncode("" & Type_23) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Type 24:</td><td><input size=20 name=Type_24 value=" & Chr(34) & Server.HTMLEncode("" & Type_24) & Chr(34) & "></td></tr>"
	html = html & "</table><p>"
	html = html & "<input type=submit name=action value=Update>"
	html = html & "</form>"
	html = html & "</blockquote>"
	Response.Write html
End Sub

Sub ValidateData()
	Type_0 = Request.Form("Type_0")
	Type_1 = Request.Form("Type_1")
	Type_2 = Request.Form("Type_2")
	Type_3 = Request.Form("Type_3")
	Type_4 = Request.Form("Type_4")
	Type_5 = Request.Form("Type_5")
	Type_6 = Request.Form("Type_6")
	Type_7 = Request.Form("Type_7")
	Type_8 = Request.Form("Type_8")
	Type_9 = Request.Form("Type_9")
	Type_10 = Trim(Request.Form("Type_10"))
	Type_11 = Request.Form("Type_11")
	Type_12 = Trim(Request.Form("Type_12"))
	Type_13 = Request.Form("Type_13")
	Type_14 = Request.Form("Type_14")
	Type_15 = Request.Form("Type_15")
	Type_16 = Request.Form("Type_16")
	Type_17 = Request.Form("Type_17")
	Type_18 = Trim(Request.Form("Type_18"))
	Type_19 = Request.Form("Type_19")
	Type_20 = Request.Form("Type_20")
	Type_21 = Request.Form("Type_21")
	Type_22 = Request.Form("Type_22")
	Type_23 = Request.Form("Type_23")
	Type_24 = Request.Form("Type_24")

	'TODO: Modify/Delete the field validations below to match your situation...

	If Type_0 = "" Then
		sError = sError & "Type 0 is a required field.<br>"
	End If 

	If Type_0 <> "" Then
		If Not IsNumeric(Type_0) Or InStr(Type_0, Chr(0)) > 0 Or InStr(Type_0, ",") > 0 Then
			sError = sError & "Type 0 is not a valid number.<br>"
		End If 
	End If 

	If Type_1 = "" Then
		sError = sError & "Type 1 is a required field.<br>"
	End If 

	If Type_1 <> "" Then
		If LCase(Type_1) <> "true" And LCase(Type_1) <> "false" And Type_1 <> "0" And Type_1 <> "1" And Type_1 <> "-1" Then
			sError = sError & "Type 1 is not a valid yes/no value.<br>"
		End If 
	End If 

	If Type_2 = "" Then
		sError = sError & "Type 2 is a required field.<br>"
	End If 

	If Type_2 <> "" Then
		If Not IsNumeric(Type_2) Or InStr(Type_2, Chr(0)) > 0 Or InStr(Type_2, ",") > 0 Then
			sError = sError & "Type 2 is not a valid number.<br>"
		End If 
	End If 

	If Type_3 = "" Then
		sError = sError & "Type 3 is a required field.<br>"
	End If 

	If Type_3 <> "" Then
		If Not IsNumeric(Type_3) Or InStr(Type_3, Chr(0)) > 0 Or InStr(Type_3, ",") > 0 Then
			sError = sError & "Type 3 is not a valid number.<br>"
		End If 
	End If 

	If Type_4 = "" Then
		sError = sError & "Type 4 is a required field.<br>"
	End If 

	If Type_4 <> "" Then
		If Not IsNumeric(Type_4) Or InStr(Type_4, Chr(0)) > 0 Or InStr(Type_4, ",") > 0 Then
			sError = sError & "Type 4 is not a valid number.<br>"
		End If 
	End If 

	If Type_5 = "" Then
		sError = sError & "Type 5 is a required field.<br>"
	End If 

	If Type_5 <> "" Then
		If Not IsNumeric(Type_5) Or InStr(Type_5, Chr(0)) > 0 Or InStr(Type_5, ",") > 0 Then
			sError = sError & "Type 5 is not a valid number.<br>"
		End If 
	End If 

	If Type_6 = "" Then
		sError = sError & "Type 6 is a required field.<br>"
	End If 

	If Type_6 <> "" Then
		If Not IsNumeric(Type_6) Or InStr(Type_6, Chr(0)) > 0 Or InStr(Type_6, ",") > 0 Then
			sError = sError & "Type 6 is not a valid number.<br>"
		End If 
	End If 

	If Type_7 = "" Then
		sError = sError & "Type 7 is a required field.<br>"
	End If 

	If Type_7 <> "" Then
		If Not IsNumeric(Type_7) Or InStr(Type_7, Chr(0)) > 0 Or InStr(Type_7, ",") > 0 Then
			sError = sError & "Type 7 is not a valid number.<br>"
		End If 
	End If 

	If Type_8 <> "" Then
		If Not IsDate(Type_8) Or InStr(Type_8, Chr(0)) > 0 Then
			sError = sError & "Type 8 is not a valid date.<br>"
		End If 
	End If 

	If Type_9 = "" Then
		sError = sError & "Type 9 is a required field.<br>"
	End If 

	If Type_9 <> "" Then
		If Not IsNumeric(Type_9) Or InStr(Type_9, Chr(0)) > 0 Or InStr(Type_9, ",") > 0 Then
			sError = sError & "Type 9 is not a valid number.<br>"
		End If 
	End If 

	If Type_10 = "" Then
		sError = sError & "Type 10 is a required field.<br>"
	End If 

	If Type_11 = "" Then
		sError = sError & "Type 11 is a required field.<br>"
	End If 

	If Type_11 <> "" Then
		If Not IsNumeric(Type_11) Or InStr(Type_11, Chr(0)) > 0 Or InStr(Type_11, ",") > 0 Then
			sError = sError & "Type 11 is not a valid number.<br>"
		End If 
	End If 

	If Type_12 = "" Then
		sError = sError & "Type 12 is a required field.<br>"
	End If 

	If Type_13 = "" Then
		sError = sError & "Type 13 is a required field.<br>"
	End If 

	If Type_13 <> "" Then
		If Not IsNumeric(Type_13) Or InStr(Type_13, Chr(0)) > 0 Or InStr(Type_13, ",") > 0 Then
			sError = sError & "Type 13 is not a valid number.<br>"
		End If 
	End If 

	If Type_14 = "" Then
		sError = sError & "Type 14 is a required field.<br>"
	End If 

	If Type_14 <> "" Then
		If Not IsNumeric(Type_14) Or InStr(Type_14, Chr(0)) > 0 Or InStr(Type_14, ",") > 0 Then
			sError = sError & "Type 14 is not a valid number.<br>"
		End If 
	End If 

	If Type_15 = "" Then
		sError = sError & "Type 15 is a required field.<br>"
	End If 

	If Type_15 <> "" Then
		If Not IsNumeric(Type_15) Or InStr(Type_15, Chr(0)) > 0 Or InStr(Type_15, ",") > 0 Then
			sError = sError & "Type 15 is not a valid number.<br>"
		End If 
	End If 

	If Type_16 = "" Then
		sError = sError & "Type 16 is a required field.<br>"
	End If 

	If Type_16 <> "" Then
		If Not IsNumeric(Type_16) Or InStr(Type_16, Chr(0)) > 0 Or InStr(Type_16, ",") > 0 Then
			sError = sError & "Type 16 is not a valid number.<br>"
		End If 
	End If 

	If Type_17 = "" Then
		sError = sError & "Type 17 is a required field.<br>"
	End If 

	If Type_17 <> "" Then
		If Not IsNumeric(Type_17) Or InStr(Type_17, Chr(0)) > 0 Or InStr(Type_17, ",") > 0 Then
			sError = sError & "Type 17 is not a valid number.<br>"
		End If 
	End If 

	If Type_18 = "" Then
		sError = sError & "Type 18 is a required field.<br>"
	End If 

	If Type_19 = "" Then
		sError = sError & "Type 19 is a required field.<br>"
	End If 

	If Type_19 <> "" Then
		If Not IsNumeric(Type_19) Or InStr(Type_19, Chr(0)) > 0 Or InStr(Type_19, ",") > 0 Then
			sError = sError & "Type 19 is not a valid number.<br>"
		End If 
	End If 

	If Type_20 = "" Then
		sError = sError & "Type 20 is a required field.<br>"
	End If 

	If Type_20 <> "" Then
		If Not IsNumeric(Type_20) Or InStr(Type_20, Chr(0)) > 0 Or InStr(Type_20, ",") > 0 Then
			sError = sError & "Type 20 is not a valid number.<br>"
		End If 
	End If 

	If Type_21 = "" Then
		sError = sError & "Type 21 is a required field.<br>"
	End If 

	If Type_21 <> "" Then
		If Not IsNumeric(Type_21) Or InStr(Type_21, Chr(0)) > 0 Or InStr(Type_21, ",") > 0 Then
			sError = sError & "Type 21 is not a valid number.<br>"
		End If 
	End If 

	If Type_22 = "" Then
		sError = sError & "Type 22 is a required field.<br>"
	End If 

	If Type_22 <> "" Then
		If Not IsNumeric(Type_22) Or InStr(Type_22, Chr(0)) > 0 Or InStr(Type_22, ",") > 0 Then
			sError = sError & "Type 22 is not a valid number.<br>"
		End If 
	End If 

	If Type_23 = "" Then
		sError = sError & "Type 23 is a required field.<br>"
	End If 

	If Type_23 <> "" Then
		If Not IsNumeric(Type_23) Or InStr(Type_23, Chr(0)) > 0 Or InStr(Type_23, ",") > 0 Then
			sError = sError & "Type 23 is not a valid number.<br>"
		End If 
	End If 

	If Type_24 = "" Then
		sError = sError & "Type 24 is a required field.<br>"
	End If 

	If Type_24 <> "" Then
		If Not IsNumeric(Type_24) Or InStr(Type_24, Chr(0)) > 0 Or InStr(Type_24, ",") > 0 Then
			sError = sError & "Type 24 is not a valid number.<br>"
		End If 
	End If 

	If sError <> "" Then
		DisplayForm()
		Response.End
	Else
		'Code to add a new record...
		sql = "Insert Into AllTypes ("
		sql = sql & "Type_0,"
		sql = sql & "Type_1,"
		sql = sql & "Type_2,"
		sql = sql & "Type_3,"
		sql = sql & "Type_4,"
		sql = sql & "Type_5,"
		sql = sql & "Type_6,"
		sql = sql & "Type_7,"
		sql = sql & "Type_8,"
		sql = sql & "Type_9,"
		sql = sql & "Type_10,"
		sql = sql & "Type_11,"
		sql = sql & "Type_12,"
		sql = sql & "Type_13,"
		sql = sql & "Type_14,"
		sql = sql & "Type_15,"
		sql = sql & "Type_16,"
		sql = sql & "Type_17,"
		sql = sql & "Type_18,"
		sql = sql & "Type_19,"
		sql = sql & "Type_20,"
		sql = sql & "Type_21,"
		sql = sql & "Type_22,"
		sql = sql & "Type_23,"
		sql = sql & "Type_24"
		sql = sql & ") "
		sql = sql & "Values ("
		sql = sql & "" & Type_0 & ","
		sql = sql & "" & Type_1 & ","
		sql = sql & "" & Type_2 & ","
		sql = sql & "" & Type_3 & ","
		sql = sql & "" & Type_4 & ","
		sql = sql & "" & Type_5 & ","
		sql = sql & "" & Type_6 & ","
		sql = sql & "" & Type_7 & ","
		sql = sql & SQLDate(Type_8) & ","
		sql = sql & "" & Type_9 & ","
		sql = sql & "'" & SqlQuote(Type_10) & "',"
		sql = sql & "" & Type_11 & ","
		sql = sql & "'" & SqlQuote(Type_12) & "',"
		sql = sql & "" & Type_13 & ","
		sql = sql & "" & Type_14 & ","
		sql = sql & "" & Type_15 & ","
		sql = sql & "" & Type_16 & ","
		sql = sql & "" & Type_17 & ","
		sql = sql & "'" & SqlQuote(Type_18) & "',"
		sql = sql & "" & Type_19 & ","
		sql = sql & "" & Type_20 & ","
		sql = sql & "" & Type_21 & ","
		sql = sql & "" & Type_22 & ","
		sql = sql & "" & Type_23 & ","
		sql = sql & "" & Type_24 & ""
		sql = sql & ");"

		'Code to update an existing new record...
		sql = "UPDATE AllTypes SET "
		sql = sql & "Type_0=" & Type_0 & ","
		sql = sql & "Type_1=" & Type_1 & ","
		sql = sql & "Type_2=" & Type_2 & ","
		sql = sql & "Type_3=" & Type_3 & ","
		sql = sql & "Type_4=" & Type_4 & ","
		sql = sql & "Type_5=" & Type_5 & ","
		sql = sql & "Type_6=" & Type_6 & ","
		sql = sql & "Type_7=" & Type_7 & ","
		sql = sql & "Type_8=" & SQLDate(Type_8) & ","
		sql = sql & "Type_9=" & Type_9 & ","
		sql = sql & "Type_10='" & SqlQuote(Type_10) & "',"
		sql = sql & "Type_11=" & Type_11 & ","
		sql = sql & "Type_12='" & SqlQuote(Type_12) & "',"
		sql = sql & "Type_13=" & Type_13 & ","
		sql = sql & "Type_14=" & Type_14 & ","
		sql = sql & "Type_15=" & Type_15 & ","
		sql = sql & "Type_16=" & Type_16 & ","
		sql = sql & "Type_17=" & Type_17 & ","
		sql = sql & "Type_18='" & SqlQuote(Type_18) & "',"
		sql = sql & "Type_19=" & Type_19 & ","
		sql = sql & "Type_20=" & Type_20 & ","
		sql = sql & "Type_21=" & Type_21 & ","
		sql = sql & "Type_22=" & Type_22 & ","
		sql = sql & "Type_23=" & Type_23 & ","
		sql = sql & "Type_24=" & Type_24 & ""
		sql = sql & " where ID = " & ID & ";"

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
	html = html & "<input type=hidden name=ID value=" & Chr(34) & Server.HTMLEncode(request.Form("ID")) & Chr(34) & ">"
	html = html & "</form>"
	Response.Write html
End Sub

Sub DeleteIt()
	'delete the record...
	html = ""
	If LCase(Request.Form("ID")) <> "true" And LCase(Request.Form("ID")) <> "false" And Request.Form("ID") <> "0" And Request.Form("ID") <> "1" And Request.Form("ID") <> "-1" Then
		Response.Write "Not a valid record key."
		Response.End
	End If
	sql = "delete * from AllTypes where ID=" & Request.Form("ID") & ";"
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
