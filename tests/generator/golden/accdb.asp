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
Dim Orderid
Dim Shipped_On

'TODO: Verify database path...
sDBName = "driver={Microsoft Access Driver (*.mdb, *.accdb)};dbq=D:\Sales\Orders 2024.ACCDB;pwd=pw;1"
Set objDB = Server.CreateObject("ADODB.Connection")
objDB.Open sDBName

'This tells us if they've clicked the Update button...
sAction = Request("action")

Sub GetData()
	'TODO: Modify the next line to fit your needs. It should only return ONE record! The record you want to edit...
	Set objRS = objDB.Execute("select * from Orders where OrderID = " & OrderID & ";")

	If objRS.EOF Then
		Orderid = ""
		Shipped_On = ""
	Else
		Orderid = objRS("Orderid")
		Shipped_On = objRS("Shipped On")
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
	html = html & "<tr bgcolor=" & sRowColor &"><td>Orderid:</td><td><input size=20 name=Orderid value=" & Chr(34) & Server.HTMLEncode("" & Orderid) & Chr(34) & "></td></tr>"
	html = html & "<tr bgcolor=" & sRowColor &"><td>Shipped On:</td><td><input size=20 name=Shipped_On value=" & Chr(34) & Server.HTMLEncode("" & Shipped_On) & Chr(34) & "></td></tr>"
	html = html & "</table><p>"
	html = html & "<input type=submit name=action value=Update>"
	html = html & "</form>"
	html = html & "</blockquote>"
	Response.Write html
End Sub

Sub ValidateData()
	Orderid = Request.Form("Orderid")
	Shipped_On = Request.Form("Shipped_On")

	'TODO: Modify/Delete the field validations below to match your situation...

	If Orderid = "" Then
		sError = sError & "Orderid is a required field.<br>"
	End If 

	If Orderid <> "" Then
		If Not IsNumeric(Orderid) Or InStr(Orderid, Chr(0)) > 0 Or InStr(Orderid, ",") > 0 Then
			sError = sError & "Orderid is not a valid number.<br>"
		End If 
	End If 

	If Shipped_On <> "" Then
		If Not IsDate(Shipped_On) Or InStr(Shipped_On, Chr(0)) > 0 Then
			sError = sError & "Shipped On is not a valid date.<br>"
		End If 
	End If 

	If sError <> "" Then
		DisplayForm()
		Response.End
	Else
		'Code to add a new record...
		sql = "Insert Into Orders ("
		sql = sql & "Orderid,"
		sql = sql & "Shipped_On"
		sql = sql & ") "
		sql = sql & "Values ("
		sql = sql & "" & Orderid & ","
		sql = sql & SQLDate(Shipped_On)
		sql = sql & ");"

		'Code to update an existing new record...
		sql = "UPDATE Orders SET "
		sql = sql & "Orderid=" & Orderid & ","
		sql = sql & "Shipped_On=" & SQLDate(Shipped_On)
		sql = sql & " where OrderID = " & OrderID & ";"

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
	html = html & "<input type=hidden name=OrderID value=" & Chr(34) & Server.HTMLEncode(request.Form("OrderID")) & Chr(34) & ">"
	html = html & "</form>"
	Response.Write html
End Sub

Sub DeleteIt()
	'delete the record...
	html = ""
	If Not IsNumeric(Request.Form("OrderID")) Or InStr(Request.Form("OrderID"), Chr(0)) > 0 Or InStr(Request.Form("OrderID"), ",") > 0 Then
		Response.Write "Not a valid record key."
		Response.End
	End If
	sql = "delete * from Orders where OrderID=" & Request.Form("OrderID") & ";"
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
