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
Dim Orderdate
Dim Total

'TODO: Verify database path...
sDBName = "driver={Microsoft Access Driver (*.mdb)};dbq=..\data\Shop Orders.mdb"
Set objDB = Server.CreateObject("ADODB.Connection")
objDB.Open sDBName

'This tells us if they've clicked the Update button...
sAction = Request("action")

Sub GetData()
	'TODO: Modify the next line to fit your needs. It should only return ONE record! The record you want to edit...
	Set objRS = objDB.Execute("select * from Recent Orders where SomeDatabaseVariable = SomeHtmlFormVariable")

	If objRS.EOF Then
		Orderdate = ""
		Total = ""
	Else
		Orderdate = objRS("Orderdate")
		Total = objRS("Total")
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
	html = html & "<tr bgcolor=" & sRowColor &"><td>Orderdate:</td><td><input size=20 name=Orderdate value=" & Chr(34) & Server.HTMLEncode("" & Orderdate) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Total:</td><td><input size=20 name=Total value=" & Chr(34) & Server.HTMLEncode("" & Total) & Chr(34) & "></td></tr>"
	html = html & "</table><p>"
	html = html & "<input type=submit name=action value=Update>"
	html = html & "</form>"
	html = html & "</blockquote>"
	Response.Write html
End Sub

Sub ValidateData()
	Orderdate = Request.Form("Orderdate")
	Total = Request.Form("Total")

	'TODO: Modify/Delete the field validations below to match your situation...

	If Orderdate <> "" Then
		If Not IsDate(Orderdate) Or InStr(Orderdate, Chr(0)) > 0 Then
			sError = sError & "Orderdate is not a valid date.<br>"
		End If 
	End If 

	If Total = "" Then
		sError = sError & "Total is a required field.<br>"
	End If 

	If Total <> "" Then
		If Not IsNumeric(Total) Or InStr(Total, Chr(0)) > 0 Or InStr(Total, ",") > 0 Then
			sError = sError & "Total is not a valid number.<br>"
		End If 
	End If 

	If sError <> "" Then
		DisplayForm()
		Response.End
	Else
		'Code to add a new record...
		sql = "Insert Into Recent Orders ("
		sql = sql & "Orderdate,"
		sql = sql & "Total"
		sql = sql & ") "
		sql = sql & "Values ("
		sql = sql & SQLDate(Orderdate) & ","
		sql = sql & "" & Total & ""
		sql = sql & ");"

		'Code to update an existing new record...
		sql = "UPDATE Recent Orders SET "
		sql = sql & "Orderdate=" & SQLDate(Orderdate) & ","
		sql = sql & "Total=" & Total & ""
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
