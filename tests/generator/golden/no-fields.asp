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

'TODO: Verify database path...
sDBName = "driver={Microsoft Access Driver (*.mdb)};dbq="
Set objDB = Server.CreateObject("ADODB.Connection")
objDB.Open sDBName

'This tells us if they've clicked the Update button...
sAction = Request("action")

Sub GetData()
	'TODO: Modify the next line to fit your needs. It should only return ONE record! The record you want to edit...
	Set objRS = objDB.Execute("select * from T where SomeDatabaseVariable = SomeHtmlFormVariable")

	If objRS.EOF Then
	Else
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
	html = html & "</table><p>"
	html = html & "<input type=submit name=action value=Update>"
	html = html & "</form>"
	html = html & "</blockquote>"
	Response.Write html
End Sub

Sub ValidateData()

	'TODO: Modify/Delete the field validations below to match your situation...

	If sError <> "" Then
		DisplayForm()
		Response.End
	Else
		'Code to add a new record...
		sql = "Insert Into T ("
		sql = sql & ") "
		sql = sql & "Values ("
		sql = sql & ");"

		'Code to update an existing new record...
		sql = "UPDATE T SET "
		sql = sql & " WHERE STATEMENT GOES HERE;"

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
	html = html & "</form>"
	Response.Write html
End Sub

Sub DeleteIt()
	'delete the record...
	html = ""
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
